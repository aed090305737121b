// Text rules of the edit filters: which character an edit loses and what a number edit is
// corrected to. The texts are an edit control's characters; the allowed sets are ASCII.
#pragma once

#include <cstdint>
#include <string>

// Removes the first character of text that is not in allowed and returns its position, or -1
// (text unchanged) when every character is allowed.
int RemoveFirstDisallowed(std::wstring& text, const char* allowed);

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
    // "Input value error!" is printed for a correction below or above the bounds.
    bool Traced() const {
        return verdict == RangeVerdict::BelowMinimum || verdict == RangeVerdict::AboveMaximum;
    }
};

// What a number edit holding text becomes with the bounds minimum..maximum: an empty text becomes
// the minimum; otherwise the first non-digit goes, and the value of the leading digits is held to
// the bounds. A value within the bounds keeps its text as typed (leading zeros included).
RangeCheck CheckRangeText(const std::wstring& text, uint16_t minimum, uint16_t maximum);
