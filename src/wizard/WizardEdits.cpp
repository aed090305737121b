#include "wizard/WizardEdits.h"

#include "sendset/SendSetFields.h"

#include <array>

namespace {

constexpr bool IsEditOn(const SendSetField& f, FieldPage page) {
    return f.page == page && f.editChars > 0;
}

constexpr size_t CountEditsOn(FieldPage page) {
    size_t n = 0;
    for (const SendSetField& f : kSendSetFields)
        n += IsEditOn(f, page) ? 1 : 0;
    return n;
}

// A page's edits in record order, the recipients first (the page takes them back by slot).
template <size_t N> constexpr std::array<WizardEditField, N> EditsOn(FieldPage page) {
    std::array<WizardEditField, N> out{};
    size_t n = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (const SendSetField& f : kSendSetFields) {
            if (IsEditOn(f, page) && (f.rule == FieldRule::Recipient) == (pass == 0))
                out[n++] = {f.control, f.name};
        }
    }
    return out;
}

constexpr auto kParamEdits = EditsOn<CountEditsOn(FieldPage::Page1)>(FieldPage::Page1);
constexpr auto kCloudEdits = EditsOn<CountEditsOn(FieldPage::Page1Cloud)>(FieldPage::Page1Cloud);
constexpr auto kSendEdits = EditsOn<CountEditsOn(FieldPage::Page2)>(FieldPage::Page2);

} // namespace

const WizardEditField* const kParamPageEditFields = kParamEdits.data();
const size_t kParamPageEditFieldCount = kParamEdits.size();
const WizardEditField* const kCloudEditFields = kCloudEdits.data();
const size_t kCloudEditFieldCount = kCloudEdits.size();
const WizardEditField* const kSendPageEditFields = kSendEdits.data();
const size_t kSendPageEditFieldCount = kSendEdits.size();
