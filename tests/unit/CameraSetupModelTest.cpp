#include "TempDir.h"

#include "app/SavePath.h"
#include "app/Trace.h"
#include "menu/CameraSetupModel.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

const ClockTime kNow = {2025, 3, 7, 9, 4, 5};
const ClockTime kLater = {2026, 11, 30, 23, 59, 1};

MenuData Defaults() {
    MenuData rec;
    LoadMenuDefaults(rec);
    return rec;
}

// A user event, as a row of a table.
struct Event {
    enum Kind { Open, Tick, Choose, Type, Leave, Generate, Default, Close } kind;
    int target = 0;        // the list or the clock edit
    int position = 0;      // Choose
    const char* text = ""; // Type
    ClockTime now = kNow;  // Open, Tick, Choose
};

Event Choose(MenuList list, int position, ClockTime now = kNow) {
    return {Event::Choose, static_cast<int>(list), position, "", now};
}
Event Type(ClockEdit edit, const char* text) {
    return {Event::Type, edit, 0, text};
}
Event Leave(ClockEdit edit) {
    return {Event::Leave, edit};
}

CameraSetupBox Apply(CameraSetupModel& form, const Event& e) {
    switch (e.kind) {
    case Event::Open:
        form.Open(e.now);
        break;
    case Event::Tick:
        form.Tick(e.now);
        break;
    case Event::Choose:
        form.Choose(static_cast<MenuList>(e.target), e.position, e.now);
        break;
    case Event::Type:
        form.TypeClockText(static_cast<ClockEdit>(e.target), e.text);
        break;
    case Event::Leave:
        form.LeaveClockEdit(static_cast<ClockEdit>(e.target));
        break;
    case Event::Generate:
        return form.Generate();
    case Event::Default:
        return form.Default();
    case Event::Close:
        form.Close();
        break;
    }
    return CameraSetupBox::None;
}

std::string Joined(const std::string (&texts)[CLOCK_EDIT_COUNT]) {
    std::string out = texts[0];
    for (int k = 1; k < CLOCK_EDIT_COUNT; ++k)
        out += " " + texts[k];
    return out;
}

std::string Captured(FILE* f) {
    fflush(f);
    rewind(f);
    std::string out;
    for (int c = fgetc(f); c != EOF; c = fgetc(f))
        out += static_cast<char>(c);
    return out;
}

} // namespace

// Each row: a record the form opens on, the user's events, then what the form shows and the
// record holds, as the window showed and stored them.
TEST(CameraSetupModel, EachEventInEachStateShowsAndStoresWhatTheWindowDid) {
    MenuData inInput = Defaults();
    inInput.ClockMode = CLOCK_MODE_INPUT;
    MenuData inOff = Defaults();
    inOff.ClockMode = CLOCK_MODE_OFF;
    inOff.Year = 2020;
    inOff.Month = 6;
    const MenuData defaults = Defaults();

    const struct {
        const char* what;
        MenuData start;
        std::vector<Event> events;
        const char* clock; // the clock edits' texts
        bool clockEnabled;
        bool timer1Enabled; // Timer1's hour and minute lists
        const char* trace;  // what the events printed
    } rows[] = {
        {"Auto shows now, disabled", defaults, {}, "2025 03 07 09 04 05", false, false, ""},
        {"Input shows now, enabled", inInput, {}, "2025 03 07 09 04 05", true, false, ""},
        {"Off shows nothing", inOff, {}, "     ", false, false, ""},
        {"Auto follows the tick",
         defaults,
         {{Event::Tick, 0, 0, "", kLater}},
         "2026 11 30 23 59 01",
         false,
         false,
         ""},
        {"Input ignores the tick",
         inInput,
         {{Event::Tick, 0, 0, "", kLater}},
         "2025 03 07 09 04 05",
         true,
         false,
         ""},
        {"Input chosen shows the time of the choice",
         defaults,
         {Choose(MenuList::ClockMode, CLOCK_MODE_INPUT, kLater), {Event::Tick, 0, 0, "", kNow}},
         "2026 11 30 23 59 01",
         true,
         false,
         ""},
        {"Off chosen empties the edits",
         inInput,
         {Choose(MenuList::ClockMode, CLOCK_MODE_OFF)},
         "     ",
         false,
         false,
         ""},
        {"Auto chosen again follows the tick",
         inOff,
         {Choose(MenuList::ClockMode, CLOCK_MODE_AUTO), {Event::Tick, 0, 0, "", kLater}},
         "2026 11 30 23 59 01",
         false,
         false,
         ""},
        {"Timer1 On enables its lists",
         defaults,
         {Choose(MenuList::Timer1On, 1)},
         nullptr,
         false,
         true,
         ""},
        {"Timer1 Off again disables them",
         defaults,
         {Choose(MenuList::Timer1On, 1), Choose(MenuList::Timer1On, 0)},
         nullptr,
         false,
         false,
         ""},
        {"typing keeps digits only",
         inInput,
         {Type(CLOCK_YEAR, "2a0b2c4")},
         "2024 03 07 09 04 05",
         true,
         false,
         ""},
        {"an empty edit shows its minimum silently",
         inInput,
         {Type(CLOCK_MONTH, ""), Leave(CLOCK_MONTH), Type(CLOCK_HOUR, "x"), Leave(CLOCK_HOUR)},
         "2025 1 07 0 04 05",
         true,
         false,
         ""},
        {"values beyond the bounds are held to them",
         inInput,
         {Type(CLOCK_YEAR, "2100"), Leave(CLOCK_YEAR), Type(CLOCK_MONTH, "13"), Leave(CLOCK_MONTH),
          Type(CLOCK_SECOND, "60"), Leave(CLOCK_SECOND), Type(CLOCK_YEAR, "999"),
          Leave(CLOCK_YEAR)},
         "2016 12 07 09 04 59",
         true,
         false,
         "Input value error!\nInput value error!\nInput value error!\nInput value error!\n"},
        {"a leap day goes with the year",
         inInput,
         {Type(CLOCK_YEAR, "2024"), Leave(CLOCK_YEAR), Type(CLOCK_MONTH, "2"), Leave(CLOCK_MONTH),
          Type(CLOCK_DAY, "29"), Leave(CLOCK_DAY), Type(CLOCK_YEAR, "2023"), Leave(CLOCK_YEAR)},
         "2023 2 28 09 04 05",
         true,
         false,
         ""},
        {"a day typed past the month's end",
         inInput,
         {Type(CLOCK_MONTH, "4"), Leave(CLOCK_MONTH), Type(CLOCK_DAY, "31"), Leave(CLOCK_DAY)},
         "2025 4 30 09 04 05",
         true,
         false,
         "Input value error!\n"},
        {"in range keeps the text as typed",
         inInput,
         {Type(CLOCK_DAY, "05"), Leave(CLOCK_DAY), Type(CLOCK_YEAR, "2a0b2c4"), Leave(CLOCK_YEAR)},
         "2024 03 05 09 04 05",
         true,
         false,
         ""},
        {"Default shows the defaults and keeps the edits",
         inInput,
         {Choose(MenuList::Timer1On, 1), Type(CLOCK_YEAR, "2030"), {Event::Default}},
         "2030 03 07 09 04 05",
         false,
         false,
         "Y:2030,M:3,D:7, h:9, m:4, s:5\n"},
    };
    FILE* trace = tmpfile();
    ASSERT_NE(trace, nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        freopen(nullptr, "w+", trace);
        MenuData rec = row.start;
        SaveClockData saveClock{};
        CameraSetupModel form(rec, saveClock, false);
        form.Open(kNow);
        SetTraceSink(trace);
        for (const Event& e : row.events)
            Apply(form, e);
        SetTraceSink(nullptr);
        const CameraSetupView& v = form.View();
        if (row.clock != nullptr) {
            EXPECT_EQ(Joined(v.clockText), row.clock);
        }
        EXPECT_EQ(v.clockEnabled, row.clockEnabled);
        for (MenuList l : {MenuList::Timer1StartHour, MenuList::Timer1EndMin})
            EXPECT_EQ(form.ListEnabled(l), row.timer1Enabled);
        EXPECT_FALSE(form.ListEnabled(MenuList::Serial1)); // SerialOn stays Off
        EXPECT_TRUE(form.ListEnabled(MenuList::CapMode));
        EXPECT_EQ(Captured(trace), row.trace);
        // The clock mode goes into the record at once; the lists wait for Generate or the close.
        EXPECT_EQ(rec.ClockMode, v.selection[static_cast<int>(MenuList::ClockMode)]);
    }
    fclose(trace);
}

TEST(CameraSetupModel, GenerateDefaultAndCloseTakeTheFormIntoTheRecord) {
    MenuData rec = Defaults();
    rec.Tail[1] = 0x5A;
    SaveClockData saveClock{};
    CameraSetupModel form(rec, saveClock, false);
    form.Open(kNow);
    form.Choose(MenuList::CapMode, 2, kNow);
    form.Choose(MenuList::IntervalCount, 45, kNow);
    form.Choose(MenuList::IntervalUnit, 0, kNow); // Sec
    form.Choose(MenuList::Language, 2, kNow);
    form.Choose(MenuList::ClockMode, CLOCK_MODE_INPUT, kLater);
    EXPECT_EQ(rec.CapMode, 0); // not yet
    EXPECT_EQ(rec.ClockMode, CLOCK_MODE_INPUT);
    EXPECT_EQ(form.Generate(), CameraSetupBox::GenerateSuccess);
    EXPECT_EQ(rec.CapMode, 2);
    EXPECT_EQ(rec.Interval, 0x80 | 45);
    EXPECT_EQ(rec.Language, 3);
    EXPECT_EQ(rec.Tail[1], 0x5A); // carried
    EXPECT_EQ(rec.Year, 2026);
    EXPECT_EQ(rec.Second, 1);
    EXPECT_EQ(saveClock.Year, 2026);
    EXPECT_EQ(saveClock.Day, 30);

    form.Choose(MenuList::SdCycle, 1, kNow);
    form.Close();
    EXPECT_EQ(rec.SdCycle, 1);

    EXPECT_EQ(form.Default(), CameraSetupBox::DefaultSuccess);
    MenuData expected = Defaults(); // with the clock the edits kept
    expected.Year = 2026;
    expected.Month = 11;
    expected.Day = 30;
    expected.Hour = 23;
    expected.Minute = 59;
    expected.Second = 1;
    EXPECT_EQ(memcmp(&rec, &expected, sizeof rec), 0);
    EXPECT_FALSE(form.View().clockEnabled);
}

TEST(CameraSetupModel, FirstOpeningReadsTheFileOnceAndGenerateWritesItBack) {
    TempDir dir;
    ASSERT_TRUE(SetSavePath(dir.path().c_str()));
    MenuData rec{};
    SaveClockData saveClock{};
    {
        CameraSetupModel form(rec, saveClock, true);
        form.Open(kNow); // no file: the defaults, in Auto
        MenuData expected = Defaults();
        EXPECT_EQ(memcmp(&rec, &expected, sizeof rec), 0);
    }
    MenuData stored = Defaults();
    stored.VideoLen = 77; // read as 10 s
    stored.Language = 0;  // read as the first language
    stored.ClockMode = CLOCK_MODE_OFF;
    stored.CapMode = 1;
    ASSERT_TRUE(WriteMenuTo(dir.path().c_str(), stored));
    CameraSetupModel form(rec, saveClock, true);
    form.Open(kNow);
    EXPECT_EQ(rec.CapMode, 1);
    EXPECT_EQ(rec.VideoLen, 9);
    EXPECT_EQ(rec.Language, 1);
    EXPECT_EQ(rec.ClockMode, CLOCK_MODE_AUTO);
    EXPECT_EQ(form.View().savePath, dir.path());
    form.Choose(MenuList::CapMode, 2, kNow);
    form.Close();
    form.Open(kNow); // a later opening shows the record as left, without reading the file
    EXPECT_EQ(form.View().selection[0], 2);
    EXPECT_EQ(form.Generate(), CameraSetupBox::GenerateSuccess);
    MenuData back{};
    ASSERT_EQ(ReadMenuFrom(dir.path().c_str(), back, SaveClockData{}), 1);
    EXPECT_EQ(back.CapMode, 2);
    EXPECT_EQ(back.Year, 2025);

    // A folder that cannot be the save folder leaves it; one that can becomes it.
    EXPECT_EQ(form.ChooseSaveFolder(nullptr), CameraSetupBox::FolderUnusable);
    EXPECT_EQ(form.ChooseSaveFolder(std::string(300, 'a').c_str()), CameraSetupBox::FolderUnusable);
    EXPECT_EQ(form.View().savePath, dir.path());
    TempDir other;
    EXPECT_EQ(form.ChooseSaveFolder(other.path().c_str()), CameraSetupBox::None);
    EXPECT_EQ(form.View().savePath, other.path());
    // A write that fails shows no success.
    ASSERT_TRUE(SetSavePath((other.path() + "/missing/deeper").c_str()));
    EXPECT_EQ(form.Generate(), CameraSetupBox::None);
    EXPECT_EQ(form.Default(), CameraSetupBox::None);
}

// Typing 31 into the day and leaving the month gives the month's last day; the table is written
// out here, not taken from the code under test.
TEST(CameraSetupModel, TheDayFollowsEveryMonthOfLeapAndCommonYears) {
    const int common[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const struct {
        const char* year;
        bool leap;
    } years[] = {{"2023", false}, {"2024", true}, {"2000", true}, {"2100", false}};
    for (const auto& y : years) {
        for (int month = 1; month <= 12; ++month) {
            const int last = month == 2 && y.leap ? 29 : common[month - 1];
            MenuData rec = Defaults();
            rec.ClockMode = CLOCK_MODE_INPUT;
            SaveClockData saveClock{};
            CameraSetupModel form(rec, saveClock, false);
            form.Open(kNow);
            form.TypeClockText(CLOCK_DAY, "31");
            form.LeaveClockEdit(CLOCK_DAY); // March: 31 stays
            form.TypeClockText(CLOCK_YEAR, y.year);
            form.TypeClockText(CLOCK_MONTH, std::to_string(month));
            form.LeaveClockEdit(CLOCK_MONTH);
            form.Generate();
            EXPECT_EQ(rec.Day, last) << y.year << "-" << month;
            // A day past the end typed afterwards is held to the end as well.
            form.TypeClockText(CLOCK_DAY, std::to_string(last + 1));
            form.LeaveClockEdit(CLOCK_DAY);
            EXPECT_EQ(form.View().clockText[CLOCK_DAY], std::to_string(last));
        }
    }
}

namespace {

// A record whose every list shows an item, with any clock and tail.
MenuData RandomRecord(std::mt19937& rng) {
    MenuData rec = Defaults();
    uint8_t* bytes = reinterpret_cast<uint8_t*>(&rec);
    for (const MenuListField& f : kMenuListFields) {
        const int count = OptionCount(f.items);
        if (f.list == MenuList::IntervalUnit)
            continue;
        const int position = static_cast<int>(rng() % static_cast<unsigned>(count));
        bytes[f.offset] =
            static_cast<uint8_t>(f.list == MenuList::Language ? position + 1 : position);
    }
    rec.Interval |= rng() % 2 ? 0x80 : 0;
    rec.ClockMode = static_cast<uint8_t>(rng() % 3);
    rec.Year = static_cast<uint16_t>(rng() % 10000);
    for (uint8_t* b : {&rec.Month, &rec.Day, &rec.Hour, &rec.Minute, &rec.Second})
        *b = static_cast<uint8_t>(rng() % 100);
    for (uint8_t& b : rec.Tail)
        b = static_cast<uint8_t>(rng());
    return rec;
}

std::string RandomText(std::mt19937& rng) {
    static const char kChars[] = "0123456789012345678x ";
    std::string text;
    for (unsigned n = rng() % 7; n > 0; --n)
        text += kChars[rng() % (sizeof kChars - 1)];
    return text;
}

ClockTime RandomTime(std::mt19937& rng) {
    return {2016 + static_cast<int>(rng() % 84), 1 + static_cast<int>(rng() % 12),
            1 + static_cast<int>(rng() % 28),    static_cast<int>(rng() % 24),
            static_cast<int>(rng() % 60),        static_cast<int>(rng() % 60)};
}

ClockTime ClockOf(const MenuData& m) {
    return {m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second};
}

} // namespace

// Random sessions of the form; whatever Generate writes, the form opened on that file (showing
// its clock, as camfile opens it) and generated unchanged writes again byte for byte.
TEST(CameraSetupModel, RandomSessionsWriteFilesThatTheFormWritesAgainUnchanged) {
    std::mt19937 rng(20261208);
    int generated = 0;
    for (int session = 0; session < 1200; ++session) {
        MenuData rec = RandomRecord(rng);
        SaveClockData saveClock{};
        CameraSetupModel form(rec, saveClock, false);
        form.Open(RandomTime(rng));
        const int events = 1 + static_cast<int>(rng() % 25);
        for (int k = 0; k < events; ++k) {
            const unsigned kind = rng() % 8;
            const ClockEdit edit = static_cast<ClockEdit>(rng() % CLOCK_EDIT_COUNT);
            if (kind < 3) {
                const MenuList list = static_cast<MenuList>(rng() % MENU_LIST_COUNT);
                const int count = OptionCount(kMenuListFields[static_cast<int>(list)].items);
                form.Choose(list, static_cast<int>(rng() % static_cast<unsigned>(count)),
                            RandomTime(rng));
            } else if (kind < 6) {
                form.TypeClockText(edit, RandomText(rng));
                form.LeaveClockEdit(edit); // the focus goes, as on any click elsewhere
            } else if (kind == 6) {
                form.Tick(RandomTime(rng));
            } else {
                form.Default();
            }
        }
        form.Generate();
        ++generated;
        uint8_t first[MENU_DATA_SIZE];
        BuildMenuImage(rec, first);

        MenuData reopened;
        DecodeMenuImage(first, reopened);
        RepairMenuAsRead(reopened);
        SaveClockData again{};
        CameraSetupModel second(reopened, again, false);
        second.Open(ClockOf(reopened));
        second.Generate();
        uint8_t image[MENU_DATA_SIZE];
        BuildMenuImage(reopened, image);
        ASSERT_EQ(memcmp(first, image, MENU_DATA_SIZE), 0) << "session " << session;
    }
    EXPECT_EQ(generated, 1200);
}
