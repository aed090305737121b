#include "sendset/SendSetFields.h"

#include <array>
#include <cstring>

namespace {

// Every row inside the record, in record order, none overlapping another (reserved bytes have no
// row).
constexpr bool InRecordOrder() {
    size_t end = 0;
    for (const SendSetField& f : kSendSetFields) {
        if (f.size == 0 || f.offset < end || f.offset + f.size > sizeof(SendSet))
            return false;
        end = f.offset + f.size;
    }
    return true;
}
static_assert(InRecordOrder(), "kSendSetFields: each field inside SendSet, in order, apart");

// The fields a user types a value for.
constexpr bool TakesTypedValue(const SendSetField& f) {
    return f.text || f.editChars > 0;
}

constexpr size_t CountTyped() {
    size_t n = 0;
    for (const SendSetField& f : kSendSetFields)
        n += TakesTypedValue(f) ? 1 : 0;
    return n;
}

constexpr std::array<SendSetField, CountTyped()> TypedFields() {
    std::array<SendSetField, CountTyped()> out{};
    size_t n = 0;
    for (const SendSetField& f : kSendSetFields) {
        if (TakesTypedValue(f))
            out[n++] = f;
    }
    return out;
}

constexpr std::array<SendSetField, CountTyped()> kTyped = TypedFields();

} // namespace

const SendSetFieldLimit* const kSendSetFieldLimits = kTyped.data();
const size_t kSendSetFieldLimitCount = kTyped.size();

const SendSetField* FindSendSetField(const char* name) {
    for (const SendSetField& f : kSendSetFields) {
        if (strcmp(f.name, name) == 0)
            return &f;
    }
    return nullptr;
}

const SendSetField* SendSetFieldOfControl(FieldPage page, int control) {
    for (const SendSetField& f : kSendSetFields) {
        if (f.page == page && f.control == control)
            return &f;
    }
    return nullptr;
}

long SendSetFieldMaximum(const SendSetField& f) {
    if (f.maxValue != LAST_LIST_ITEM || !f.listed)
        return f.maxValue;
    return OptionCount(f.list) - 1;
}

const SendSetFieldLimit* FindSendSetFieldLimit(const char* name) {
    for (const SendSetFieldLimit& f : kTyped) {
        if (strcmp(f.name, name) == 0)
            return &f;
    }
    return nullptr;
}

int EditCharsOf(const char* name) {
    const SendSetFieldLimit* f = FindSendSetFieldLimit(name);
    return f != nullptr ? f->editChars : 0;
}
