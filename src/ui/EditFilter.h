// Text rules of the edit filters: which character an edit loses and what a number edit is
// corrected to. The texts are an edit control's characters; the allowed sets are ASCII.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Removes the first character of text that is not in allowed and returns its position, or -1
// (text unchanged) when every character is allowed.
int RemoveFirstDisallowed(std::wstring& text, const char* allowed);

// The one reader of a number's leading digits: the decimal value of the digits at the start of
// text (of its first length characters), false and value untouched when it starts with none. A
// digit is taken only while the value is below ceiling, so the value never passes ten times it.
bool ParseLeadingDigits(const char* text, size_t length, uint64_t ceiling, uint64_t* value);
bool ParseLeadingDigits(const wchar_t* text, size_t length, uint64_t ceiling, uint64_t* value);

// A number edit's value as the records take it: its leading digits, which stop growing once
// the value reaches 100000000. False, value untouched, when the text starts with no digit.
bool ParseNumberText(const std::string& text, long* value);
bool ParseNumberText(const std::wstring& text, long* value);

// The decimal value of the text's leading digits, 0 when it starts with none. Values too large
// for the result stop growing at UINT32_MAX.
uint32_t LeadingDecimalValue(const std::wstring& text);

enum class RangeVerdict {
    Empty,        // an empty edit: it shows the minimum, silently
    InRange,      // nothing more to do
    BelowMinimum, // corrected to the minimum
    AboveMaximum, // corrected to the maximum; the warning applies here only
};

struct RangeCheck {
    RangeVerdict verdict;
    int removedAt;          // position of the non-digit removed first, -1 for none
    std::wstring filtered;  // the text once that character is removed
    std::wstring corrected; // the text the edit ends with
    // The edit selects its whole text afterwards: the minimum put into an emptied edit is
    // replaced by the next key, so typing "12" after emptying it gives 12, not 120.
    bool selectWhole = false;
    // "Input value error!" is printed for a correction below or above the bounds.
    bool Traced() const {
        return verdict == RangeVerdict::BelowMinimum || verdict == RangeVerdict::AboveMaximum;
    }
};

// What a number edit holding text becomes with the bounds minimum..maximum: an empty text becomes
// the minimum; otherwise the first non-digit goes, and the value of the leading digits is held to
// the bounds. A value within the bounds keeps its text as typed (leading zeros included).
RangeCheck CheckRangeText(const std::wstring& text, uint16_t minimum, uint16_t maximum);
