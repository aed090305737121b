// Date rules of the Camera Setup clock: days of a month, leap years, reading the clock edits'
// texts and the day correction that keeps a date real.
#pragma once

#include "menu/MenuData.h"

#include <array>
#include <cstddef>

constexpr int CLOCK_YEAR_MIN = 2016;
constexpr int CLOCK_YEAR_MAX = 2099;
constexpr size_t CLOCK_YEAR_CHARS = 4;  // the year edit's text limit
constexpr size_t CLOCK_FIELD_CHARS = 2; // month, day, hour, minute, second

// The six clock edits, in the order the form shows them.
enum ClockEdit { CLOCK_YEAR, CLOCK_MONTH, CLOCK_DAY, CLOCK_HOUR, CLOCK_MINUTE, CLOCK_SECOND };
constexpr int CLOCK_EDIT_COUNT = 6;

// What a clock edit takes: its text limit and the bounds its value is held to when it loses the
// focus. The day's maximum is the month's last day (ClockEditMaximum). A view of the record's
// field list (MenuFields.h), in the order of ClockEdit.
struct ClockEditLimit {
    int minimum;
    int maximum;
    size_t chars;
};
extern const std::array<ClockEditLimit, CLOCK_EDIT_COUNT> kClockEditLimits;

// The only characters a clock edit keeps: the digits of the send settings' number edits.
extern const char* const kClockEditCharacters;

// Divisible by 4 and not by 100, or divisible by 400.
bool IsLeapYear(int year);

// Days of month 1..12 in year; a month outside 1..12 counts as the nearest of them, so a text
// that has not been clamped yet never reads past the table.
int DaysInMonth(int year, int month);

// Reads at most maxChars characters of text as a decimal number: the value of its leading digits.
// False, and value untouched, when the text does not start with a digit (empty text included).
bool ParseClockText(const char* text, size_t maxChars, int* value);

// The day edit's upper bound for the year and month edits' texts; a year that does not parse
// counts as 2016 and a month as 1.
int MaxDayForTexts(const char* yearText, const char* monthText);

// After the year or month has changed: true, with the month's last day in *day, when the day
// edit's text (1 when it does not parse) lies beyond the end of that month.
bool CorrectDayForTexts(const char* yearText, const char* monthText, const char* dayText, int* day);

// The upper bound of a clock edit for the year and month edits' texts (see MaxDayForTexts).
int ClockEditMaximum(ClockEdit edit, const char* yearText, const char* monthText);

// The six clock edits' texts, in the order year, month, day, hour, minute, second.
struct ClockTexts {
    const char* text[6];
};

// Stores every text that parses in its clock field of rec (Year from at most 4 characters, the
// others from at most 2); a text that does not parse leaves its field as it was.
void TakeClockTexts(const ClockTexts& texts, MenuData& rec);

// The clock fields of rec as SaveClock keeps them.
SaveClockData ClockOfMenu(const MenuData& rec);
