#include "ui/EditFilter.h"

#include <cstring>

namespace {

bool IsAllowed(wchar_t c, const char* allowed) {
    // strchr would also find the terminator; only ASCII characters can match an ASCII set.
    return c != 0 && c < 0x80 && strchr(allowed, static_cast<char>(c)) != nullptr;
}

const char kDigits[] = "0123456789";

constexpr uint64_t kNumberEditCeiling = 100000000;

template <typename Char>
bool ParseDigits(const Char* text, size_t length, uint64_t ceiling, uint64_t* value) {
    if (text == nullptr)
        return false;
    uint64_t v = 0;
    size_t i = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v < ceiling)
            v = v * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    if (i == 0)
        return false;
    *value = v;
    return true;
}

template <typename Text> bool ParseNumberIn(const Text& text, long* value) {
    uint64_t v = 0;
    if (!ParseLeadingDigits(text.data(), text.size(), kNumberEditCeiling, &v))
        return false;
    *value = static_cast<long>(v);
    return true;
}

} // namespace

bool ParseLeadingDigits(const char* text, size_t length, uint64_t ceiling, uint64_t* value) {
    return ParseDigits(text, length, ceiling, value);
}

bool ParseLeadingDigits(const wchar_t* text, size_t length, uint64_t ceiling, uint64_t* value) {
    return ParseDigits(text, length, ceiling, value);
}

bool ParseNumberText(const std::string& text, long* value) {
    return ParseNumberIn(text, value);
}

bool ParseNumberText(const std::wstring& text, long* value) {
    return ParseNumberIn(text, value);
}

int RemoveFirstDisallowed(std::wstring& text, const char* allowed) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsAllowed(text[i], allowed)) {
            text.erase(i, 1);
            return static_cast<int>(i);
        }
    }
    return -1;
}

uint32_t LeadingDecimalValue(const std::wstring& text) {
    uint64_t value = 0;
    if (!ParseLeadingDigits(text.data(), text.size(), UINT32_MAX, &value))
        return 0;
    return value < UINT32_MAX ? static_cast<uint32_t>(value) : UINT32_MAX;
}

RangeCheck CheckRangeText(const std::wstring& text, uint16_t minimum, uint16_t maximum) {
    RangeCheck check{RangeVerdict::InRange, -1, text, text};
    if (text.empty()) {
        check.verdict = RangeVerdict::Empty;
        check.corrected = std::to_wstring(minimum);
        check.selectWhole = true;
        return check;
    }
    check.removedAt = RemoveFirstDisallowed(check.filtered, kDigits);
    check.corrected = check.filtered;

    uint32_t value = LeadingDecimalValue(check.filtered);
    if (value < minimum) {
        check.verdict = RangeVerdict::BelowMinimum;
        check.corrected = std::to_wstring(minimum);
    } else if (value > maximum) {
        check.verdict = RangeVerdict::AboveMaximum;
        check.corrected = std::to_wstring(maximum);
    }
    return check;
}
