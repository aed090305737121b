#include "ui/EditFilter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Applies RemoveFirstDisallowed until the text is clean, as the edit's change notifications do;
// returns the positions removed.
std::vector<int> FilterUntilClean(std::wstring& text, const char* allowed) {
    std::vector<int> removed;
    for (int pos; (pos = RemoveFirstDisallowed(text, allowed)) >= 0;)
        removed.push_back(pos);
    return removed;
}

} // namespace

TEST(EditFilter, RemovesOneCharacterPerCallUntilClean) {
    std::wstring text = L"12a+34";
    EXPECT_EQ(RemoveFirstDisallowed(text, "0123456789+"), 2);
    EXPECT_EQ(text, L"12+34");
    EXPECT_EQ(RemoveFirstDisallowed(text, "0123456789+"), -1);
    EXPECT_EQ(text, L"12+34");

    text = L"12a+34";
    EXPECT_EQ(FilterUntilClean(text, "0123456789"), (std::vector<int>{2, 2}));
    EXPECT_EQ(text, L"1234");

    text = L"1a23";
    EXPECT_EQ(RemoveFirstDisallowed(text, "0123456789"), 1);
    EXPECT_EQ(text, L"123");

    // Non-ASCII characters, the terminator and leading junk all go, one at a time.
    text = std::wstring(L"\u4e2d1") + L'\0' + L"2\u00e9";
    EXPECT_EQ(FilterUntilClean(text, "0123456789"), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(text, L"12");

    text = L"";
    EXPECT_EQ(RemoveFirstDisallowed(text, "0123456789"), -1);
}

TEST(EditFilter, LeadingDigitsGiveTheValueWithoutOverflow) {
    EXPECT_EQ(LeadingDecimalValue(L""), 0u);
    EXPECT_EQ(LeadingDecimalValue(L"x12"), 0u);
    EXPECT_EQ(LeadingDecimalValue(L"0059"), 59u);
    EXPECT_EQ(LeadingDecimalValue(L"12+34"), 12u);
    EXPECT_EQ(LeadingDecimalValue(L"4294967295"), 4294967295u);
    EXPECT_EQ(LeadingDecimalValue(L"4294967296"), UINT32_MAX);
    EXPECT_EQ(LeadingDecimalValue(L"99999999999999999999999999"), UINT32_MAX);
}

TEST(EditFilter, RangeCheckCorrectsEmptyAndOutOfRangeTexts) {
    // Emptied edit: the minimum, without a trace.
    RangeCheck r = CheckRangeText(L"", 0, 59);
    EXPECT_EQ(r.verdict, RangeVerdict::Empty);
    EXPECT_EQ(r.corrected, L"0");
    EXPECT_FALSE(r.Traced());
    EXPECT_EQ(CheckRangeText(L"", 2016, 2099).corrected, L"2016");

    // A non-digit goes first, then the value counts.
    r = CheckRangeText(L"9a", 0, 59);
    EXPECT_EQ(r.verdict, RangeVerdict::InRange);
    EXPECT_EQ(r.removedAt, 1);
    EXPECT_EQ(r.filtered, L"9");
    EXPECT_EQ(r.corrected, L"9");
    EXPECT_FALSE(r.Traced());

    r = CheckRangeText(L"181", 0, 180);
    EXPECT_EQ(r.verdict, RangeVerdict::AboveMaximum);
    EXPECT_EQ(r.removedAt, -1);
    EXPECT_EQ(r.corrected, L"180");
    EXPECT_TRUE(r.Traced());

    r = CheckRangeText(L"2015", 2016, 2099);
    EXPECT_EQ(r.verdict, RangeVerdict::BelowMinimum);
    EXPECT_EQ(r.corrected, L"2016");
    EXPECT_TRUE(r.Traced());

    // Only one non-digit per check: "1x8y1" is read as 18 (then the next change removes "y").
    r = CheckRangeText(L"1x8y1", 0, 180);
    EXPECT_EQ(r.filtered, L"18y1");
    EXPECT_EQ(r.verdict, RangeVerdict::InRange);
    EXPECT_EQ(r.corrected, L"18y1");

    // Removing the only character leaves an empty text worth 0.
    r = CheckRangeText(L"a", 2016, 2099);
    EXPECT_EQ(r.filtered, L"");
    EXPECT_EQ(r.verdict, RangeVerdict::BelowMinimum);
    EXPECT_EQ(r.corrected, L"2016");
}

TEST(EditFilter, RangeCheckKeepsValuesWithinTheBoundsAsTyped) {
    for (const wchar_t* text : {L"0", L"00", L"059", L"180", L"0180"})
        EXPECT_EQ(CheckRangeText(text, 0, 180).corrected, text) << text;
    EXPECT_EQ(CheckRangeText(L"2016", 2016, 2099).verdict, RangeVerdict::InRange);
    EXPECT_EQ(CheckRangeText(L"2099", 2016, 2099).verdict, RangeVerdict::InRange);
    EXPECT_EQ(CheckRangeText(L"65535", 0, 65535).verdict, RangeVerdict::InRange);

    // Huge digit strings clamp to the maximum instead of wrapping round into the range.
    EXPECT_EQ(CheckRangeText(L"4294967296", 0, 59).corrected, L"59");
    EXPECT_EQ(CheckRangeText(L"65536", 0, 65535).corrected, L"65535");
    EXPECT_EQ(CheckRangeText(std::wstring(40, L'9'), 0, 180).corrected, L"180");
}

// One reader of leading digits serves the number edits, the clock edits and the range checks;
// each row holds in both character widths.
TEST(EditFilter, LeadingDigitsStopAtTheLengthAndTheCeiling) {
    const struct {
        const char* text;
        size_t length;
        uint64_t ceiling;
        bool parsed;
        uint64_t value;
    } rows[] = {
        {"", 9, 100, false, 0},
        {"x12", 9, 100, false, 0},
        {" 1", 9, 100, false, 0},
        {"0059x", 9, 100, true, 59},
        {"20245", 4, UINT32_MAX, true, 2024}, // the year edit reads four characters
        {"07", 2, UINT32_MAX, true, 7},
        {"12", 0, 100, false, 0},
        {"99999", 9, 100, true, 999},            // digits stop once the value reaches 100
        {"000000000000123", 99, 100, true, 123}, // zeros never reach it
        {"999999999999", 99, 100000000, true, 999999999},
        {"99999999999999999999999999", 99, UINT32_MAX, true, 9999999999},
    };
    for (const auto& r : rows) {
        const std::wstring wide(r.text, r.text + strlen(r.text));
        uint64_t narrow = 7, w = 7;
        EXPECT_EQ(ParseLeadingDigits(r.text, r.length, r.ceiling, &narrow), r.parsed) << r.text;
        EXPECT_EQ(ParseLeadingDigits(wide.c_str(), r.length, r.ceiling, &w), r.parsed) << r.text;
        EXPECT_EQ(narrow, r.parsed ? r.value : 7) << r.text;
        EXPECT_EQ(w, narrow) << r.text;
    }
    long number = -1;
    EXPECT_TRUE(ParseNumberText(std::string("123456789012"), &number));
    EXPECT_EQ(number, 123456789); // a port or count edit's value, as the records always took it
    EXPECT_FALSE(ParseNumberText(std::wstring(L"a1"), &number));
    EXPECT_EQ(number, 123456789);
}
