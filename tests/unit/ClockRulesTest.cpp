#include "menu/ClockRules.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(ClockRules, FebruaryFollowsTheLeapYearRule) {
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28); // divisible by 100
    EXPECT_EQ(DaysInMonth(2000, 2), 29); // divisible by 400
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    // A month not yet brought into 1..12 never reads outside the table.
    EXPECT_EQ(DaysInMonth(2023, 0), 31);
    EXPECT_EQ(DaysInMonth(2023, 13), 31);
    EXPECT_EQ(DaysInMonth(2023, 99), 31);
}

TEST(ClockRules, ParsesLeadingDigitsWithinTheLimit) {
    int v = -7;
    EXPECT_TRUE(ParseClockText("2024", 4, &v));
    EXPECT_EQ(v, 2024);
    EXPECT_TRUE(ParseClockText("20245", 4, &v)); // at most four characters
    EXPECT_EQ(v, 2024);
    EXPECT_TRUE(ParseClockText("07", 2, &v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(ParseClockText("1a", 2, &v));
    EXPECT_EQ(v, 1);

    v = -7;
    EXPECT_FALSE(ParseClockText("", 2, &v));
    EXPECT_FALSE(ParseClockText("a1", 2, &v));
    EXPECT_FALSE(ParseClockText(" 1", 2, &v));
    EXPECT_FALSE(ParseClockText(nullptr, 2, &v));
    EXPECT_EQ(v, -7); // untouched when nothing parses
}

TEST(ClockRules, DayBoundFromTextsWithFallbacks) {
    EXPECT_EQ(MaxDayForTexts("2023", "2"), 28);
    EXPECT_EQ(MaxDayForTexts("2024", "02"), 29);
    EXPECT_EQ(MaxDayForTexts("2023", "4"), 30);
    EXPECT_EQ(MaxDayForTexts("", ""), 31);      // 2016 and January
    EXPECT_EQ(MaxDayForTexts("", "2"), 29);     // 2016 is a leap year
    EXPECT_EQ(MaxDayForTexts("x", "2"), 29);    // a year that does not parse counts as 2016
    EXPECT_EQ(MaxDayForTexts("2023", "x"), 31); // a month that does not parse counts as 1
}

TEST(ClockRules, DayCorrectionOnlyBeyondTheMonthsEnd) {
    int day = 0;
    EXPECT_TRUE(CorrectDayForTexts("2023", "4", "31", &day));
    EXPECT_EQ(day, 30);
    EXPECT_TRUE(CorrectDayForTexts("2023", "2", "29", &day));
    EXPECT_EQ(day, 28);
    EXPECT_TRUE(CorrectDayForTexts("2099", "2", "29", &day));
    EXPECT_EQ(day, 28);

    day = -1;
    EXPECT_FALSE(CorrectDayForTexts("2024", "2", "29", &day));
    EXPECT_FALSE(CorrectDayForTexts("2023", "4", "30", &day));
    EXPECT_FALSE(CorrectDayForTexts("2023", "4", "", &day)); // an empty day counts as 1
    EXPECT_FALSE(CorrectDayForTexts("2023", "4", "05", &day));
    EXPECT_EQ(day, -1);
}

TEST(ClockRules, TakingTextsKeepsFieldsThatDoNotParse) {
    MenuData rec;
    memset(&rec, 0x33, sizeof rec);
    rec.Year = 1999;
    TakeClockTexts({{"2024", "02", "29", "23", "5", "59"}}, rec);
    EXPECT_EQ(rec.Year, 2024);
    EXPECT_EQ(rec.Month, 2);
    EXPECT_EQ(rec.Day, 29);
    EXPECT_EQ(rec.Hour, 23);
    EXPECT_EQ(rec.Minute, 5);
    EXPECT_EQ(rec.Second, 59);
    EXPECT_EQ(rec.Timer1On, 0x33); // nothing beyond the clock

    // The clock switched off: every edit is empty and the record keeps its clock.
    TakeClockTexts({{"", "", "", "", "", ""}}, rec);
    const SaveClockData clock = ClockOfMenu(rec);
    EXPECT_EQ(clock.Year, 2024);
    EXPECT_EQ(clock.Month, 2);
    EXPECT_EQ(clock.Day, 29);
    EXPECT_EQ(clock.Hour, 23);
    EXPECT_EQ(clock.Minute, 5);
    EXPECT_EQ(clock.Second, 59);

    TakeClockTexts({{"x", "7", "", "0", "", ""}}, rec);
    EXPECT_EQ(rec.Year, 2024);
    EXPECT_EQ(rec.Month, 7);
    EXPECT_EQ(rec.Day, 29);
    EXPECT_EQ(rec.Hour, 0);
}
