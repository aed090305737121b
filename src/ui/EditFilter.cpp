#include "ui/EditFilter.h"

#include <cstring>

namespace {

bool IsAllowed(wchar_t c, const char* allowed) {
    // strchr would also find the terminator; only ASCII characters can match an ASCII set.
    return c != 0 && c < 0x80 && strchr(allowed, static_cast<char>(c)) != nullptr;
}

const char kDigits[] = "0123456789";

} // namespace

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
    uint32_t value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            break;
        uint32_t digit = static_cast<uint32_t>(c - L'0');
        if (value > (UINT32_MAX - digit) / 10)
            return UINT32_MAX;
        value = value * 10 + digit;
    }
    return value;
}

RangeCheck CheckRangeText(const std::wstring& text, uint16_t minimum, uint16_t maximum) {
    RangeCheck check{RangeVerdict::InRange, -1, text, text};
    if (text.empty()) {
        check.verdict = RangeVerdict::Empty;
        check.corrected = std::to_wstring(minimum);
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
