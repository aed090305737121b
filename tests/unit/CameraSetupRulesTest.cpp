#include "menu/CameraSetupRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Shown(const MenuData& rec, MenuList list) {
    const MenuListField& f = kMenuListFields[static_cast<int>(list)];
    return OptionText(f.items, MenuListPosition(rec, list), UI_LANG_ENGLISH);
}

MenuData Defaults() {
    MenuData rec;
    LoadMenuDefaults(rec);
    return rec;
}

} // namespace

TEST(CameraSetupRules, DefaultsShowAsTheFormShowsThem) {
    const MenuData d = Defaults();
    const struct {
        MenuList list;
        const char* text;
    } expected[] = {
        {MenuList::CapMode, "Camera"},    {MenuList::ImgSize, "12 MP"},
        {MenuList::VideoSize, "720P"},    {MenuList::PicNum, "01 Photo"},
        {MenuList::TimeStamp, "On"},      {MenuList::SenseLevel, "Normal"},
        {MenuList::SidePir, "On"},        {MenuList::VideoLen, "10"},
        {MenuList::IntervalCount, "1"},   {MenuList::IntervalUnit, "Min"},
        {MenuList::DateFormat, "MMDDYY"}, {MenuList::BeepSound, "On"},
        {MenuList::SdCycle, "Off"},       {MenuList::Language, "English"},
        {MenuList::ClockMode, "Auto"},    {MenuList::Timer1On, "Off"},
        {MenuList::Timer2EndMin, "0"},    {MenuList::SerialOn, "Off"},
        {MenuList::Serial4, "0"},         {MenuList::TimeLapse, "Off"},
        {MenuList::TimeLapseSec, "0"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(Shown(d, e.list), e.text) << static_cast<int>(e.list);
}

// Showing a record and taking the form back gives the same bytes, whatever the lists hold.
TEST(CameraSetupRules, ShowingAndTakingBackKeepsEveryValueTheListsHold) {
    MenuData rec = Defaults();
    rec.CapMode = 2;
    rec.VideoLen = 59;
    rec.Interval = 0x80 | 60; // 60 seconds
    rec.Language = 14;
    rec.ClockMode = 1;
    rec.Serial[0] = 35;
    rec.TimeLapse = 0;
    rec.TimeLapseHour = 23;
    rec.Year = 2030;
    rec.Second = 59;
    MenuData taken = rec;
    memset(&taken, 0x5A, offsetof(MenuData, Year)); // every list byte before the clock
    taken.Timer1On = taken.SerialOn = 0x5A;
    TakeMenuSelections(MenuSelectionsOf(rec), taken);
    EXPECT_EQ(memcmp(&taken, &rec, sizeof rec), 0);
}

TEST(CameraSetupRules, ValuesOutsideTheListsAreTakenBackAsNoSelection) {
    MenuData rec = Defaults();
    rec.CapMode = 3;
    rec.Interval = 61; // count above 60, minutes
    rec.Language = 15;
    rec.Serial[2] = 36;
    EXPECT_EQ(MenuListPosition(rec, MenuList::CapMode), -1);
    EXPECT_EQ(MenuListPosition(rec, MenuList::IntervalCount), -1);
    EXPECT_EQ(MenuListPosition(rec, MenuList::IntervalUnit), 1);
    EXPECT_EQ(MenuListPosition(rec, MenuList::Language), -1);
    MenuData taken = rec;
    TakeMenuSelections(MenuSelectionsOf(rec), taken);
    EXPECT_EQ(taken.CapMode, 0xFF);
    EXPECT_EQ(taken.Interval, 0xFF);
    EXPECT_EQ(taken.Language, 0); // no selection plus one
    EXPECT_EQ(taken.Serial[2], 0xFF);
    EXPECT_EQ(taken.Serial[1], 0);
    EXPECT_EQ(memcmp(taken.Tail, rec.Tail, sizeof rec.Tail), 0);
}

TEST(CameraSetupRules, LanguageZeroShowsAsChineseAndIsTakenAsOne) {
    MenuData rec = Defaults();
    rec.Language = 0;
    const MenuData shown = rec;
    EXPECT_EQ(Shown(rec, MenuList::Language), "Chinese");
    EXPECT_EQ(memcmp(&rec, &shown, sizeof rec), 0); // showing changes nothing
    TakeMenuSelections(MenuSelectionsOf(rec), rec);
    EXPECT_EQ(rec.Language, 1);
}

TEST(CameraSetupRules, SwitchesEnableTheirInputsAtTheirOnPosition) {
    for (const MenuEnableRule& rule : kMenuEnableRules) {
        const bool timeLapse = rule.switchList == MenuList::TimeLapse; // 0 means on
        EXPECT_EQ(MenuInputsEnabled(rule, 0), timeLapse);
        EXPECT_EQ(MenuInputsEnabled(rule, 1), !timeLapse);
        EXPECT_FALSE(MenuInputsEnabled(rule, -1));
    }
    // The defaults: clock Auto, timers and serial off, time lapse off: all disabled.
    const MenuData d = Defaults();
    for (const MenuEnableRule& rule : kMenuEnableRules)
        EXPECT_FALSE(MenuInputsEnabled(rule, MenuListPosition(d, rule.switchList)));
}

TEST(CameraSetupRules, FirstOpeningRepairsTheFileAndStartsInAutoMode) {
    MenuData rec = Defaults();
    EXPECT_FALSE(RepairMenuAsRead(rec));
    rec.VideoLen = 59;
    EXPECT_FALSE(RepairMenuAsRead(rec));
    rec.VideoLen = 60;
    rec.ClockMode = 2;
    rec.Tail[0] = 0x11;
    StartMenuAtFirstOpening(true, rec);
    EXPECT_EQ(rec.VideoLen, 9);
    EXPECT_EQ(rec.ClockMode, 0);
    EXPECT_EQ(rec.Tail[0], 0x11);
    rec.Language = 0;
    EXPECT_TRUE(RepairMenuAsRead(rec));
    EXPECT_EQ(rec.Language, 1);

    MenuData unread;
    memset(&unread, 0x77, sizeof unread);
    StartMenuAtFirstOpening(false, unread);
    const MenuData d = Defaults();
    EXPECT_EQ(memcmp(&unread, &d, sizeof d), 0);
}
