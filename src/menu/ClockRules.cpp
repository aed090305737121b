#include "menu/ClockRules.h"

#include "menu/MenuFields.h"
#include "sendset/SendSetFields.h"
#include "ui/EditFilter.h"

namespace {

const int kDaysOfMonth[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int ParseOr(const char* text, size_t maxChars, int fallback) {
    int value = fallback;
    ParseClockText(text, maxChars, &value);
    return value;
}

} // namespace

namespace {

constexpr std::array<ClockEditLimit, CLOCK_EDIT_COUNT> ClockEditLimitsOf() {
    std::array<ClockEditLimit, CLOCK_EDIT_COUNT> out{};
    for (const MenuField& f : kMenuFields) {
        if (f.clockEdit >= 0)
            out[static_cast<size_t>(f.clockEdit)] = {static_cast<int>(f.minValue),
                                                     static_cast<int>(f.maxValue),
                                                     static_cast<size_t>(f.editChars)};
    }
    return out;
}

} // namespace

const std::array<ClockEditLimit, CLOCK_EDIT_COUNT> kClockEditLimits = ClockEditLimitsOf();

const char* const kClockEditCharacters = kDigitCharacters;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    if (month < 1)
        month = 1;
    if (month > 12)
        month = 12;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDaysOfMonth[month - 1];
}

bool ParseClockText(const char* text, size_t maxChars, int* value) {
    uint64_t v = 0;
    if (!ParseLeadingDigits(text, maxChars, UINT32_MAX, &v))
        return false;
    *value = static_cast<int>(v);
    return true;
}

int ClockEditMaximum(ClockEdit edit, const char* yearText, const char* monthText) {
    return edit == CLOCK_DAY ? MaxDayForTexts(yearText, monthText) : kClockEditLimits[edit].maximum;
}

int MaxDayForTexts(const char* yearText, const char* monthText) {
    return DaysInMonth(ParseOr(yearText, CLOCK_YEAR_CHARS, CLOCK_YEAR_MIN),
                       ParseOr(monthText, CLOCK_FIELD_CHARS, 1));
}

bool CorrectDayForTexts(const char* yearText, const char* monthText, const char* dayText,
                        int* day) {
    const int last = MaxDayForTexts(yearText, monthText);
    if (ParseOr(dayText, CLOCK_FIELD_CHARS, 1) <= last)
        return false;
    *day = last;
    return true;
}

void TakeClockTexts(const ClockTexts& texts, MenuData& rec) {
    int v = 0;
    if (ParseClockText(texts.text[0], CLOCK_YEAR_CHARS, &v))
        rec.Year = static_cast<uint16_t>(v);
    uint8_t* const fields[5] = {&rec.Month, &rec.Day, &rec.Hour, &rec.Minute, &rec.Second};
    for (int k = 0; k < 5; ++k) {
        if (ParseClockText(texts.text[k + 1], CLOCK_FIELD_CHARS, &v))
            *fields[k] = static_cast<uint8_t>(v);
    }
}

SaveClockData ClockOfMenu(const MenuData& rec) {
    SaveClockData clock;
    clock.Year = rec.Year;
    clock.Month = rec.Month;
    clock.Day = rec.Day;
    clock.Hour = rec.Hour;
    clock.Minute = rec.Minute;
    clock.Second = rec.Second;
    return clock;
}
