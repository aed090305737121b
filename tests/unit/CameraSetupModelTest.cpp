#include "TempDir.h"

#include "common/SavePath.h"
#include "common/Trace.h"
#include "menu/CameraSetupModel.h"
#include "res/resource.h"

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

std::vector<int> ClockOf(const ClockTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

std::vector<int> ClockOf(const MenuData& m) {
    return {m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second};
}

ClockTime TimeOf(const MenuData& m) {
    return {m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second};
}

MenuList ListNamed(const std::string& name) {
    int k = 0;
    while (k < MENU_LIST_COUNT - 1 && name != kMenuListFields[k].field)
        ++k;
    return static_cast<MenuList>(k);
}

// Runs a script of user events, separated by blanks: "ClockMode=1" a choice, "Y:2a0b" text typed
// into a clock edit (Y M D h m s), "<Y" that edit losing the focus, "tick", "default", and
// "later", after which the computer's clock shows kLater.
void RunScript(CameraSetupModel& form, const std::string& script) {
    const std::string edits = "YMDhms";
    ClockTime now = kNow;
    size_t start = 0;
    while (start < script.size()) {
        size_t end = script.find(' ', start);
        end = end == std::string::npos ? script.size() : end;
        const std::string e = script.substr(start, end - start);
        start = end + 1;
        const size_t eq = e.find('=');
        if (e == "later")
            now = kLater;
        else if (e == "tick")
            form.Tick(now);
        else if (e == "default")
            form.Default();
        else if (e[0] == '<')
            form.LeaveClockEdit(static_cast<ClockEdit>(edits.find(e[1])));
        else if (e.size() > 1 && e[1] == ':')
            form.TypeClockText(static_cast<ClockEdit>(edits.find(e[0])), e.substr(2));
        else if (eq != std::string::npos)
            form.Choose(ListNamed(e.substr(0, eq)), std::stoi(e.substr(eq + 1)), now);
    }
}

std::string Joined(const DialogView& v) {
    std::string out = v.Text(kClockEditControls[0]);
    for (int k = 1; k < CLOCK_EDIT_COUNT; ++k)
        out += " " + v.Text(kClockEditControls[k]);
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

// Each row: the clock mode of the record the form opens on (at kNow), the user's events, then
// what the form shows, as the window showed it, and how many corrections it traced.
TEST(CameraSetupModel, EachEventInEachStateShowsWhatTheWindowShowed) {
    const std::string now = "2025 03 07 09 04 05", later = "2026 11 30 23 59 01";
    const struct {
        int mode;
        const char* events;
        std::string clock; // the clock edits' texts
        bool clockOn, timer1On;
        int corrected;
    } rows[] = {
        {CLOCK_MODE_AUTO, "", now, false, false, 0},
        {CLOCK_MODE_INPUT, "", now, true, false, 0},
        {CLOCK_MODE_OFF, "", "     ", false, false, 0},
        {CLOCK_MODE_AUTO, "later tick", later, false, false, 0}, // Auto follows the clock
        {CLOCK_MODE_INPUT, "later tick", now, true, false, 0},   // Input does not
        {CLOCK_MODE_AUTO, "later ClockMode=1 tick", later, true, false, 0},
        {CLOCK_MODE_INPUT, "ClockMode=2 later tick", "     ", false, false, 0},
        {CLOCK_MODE_OFF, "ClockMode=0 later tick", later, false, false, 0},
        {CLOCK_MODE_AUTO, "Timer1On=1", now, false, true, 0},
        {CLOCK_MODE_AUTO, "Timer1On=1 Timer1On=0", now, false, false, 0},
        {CLOCK_MODE_INPUT, "Y:2a0b2c4", "2024 03 07 09 04 05", true, false, 0},
        // An empty edit shows its minimum, silently; a value beyond a bound is held to it.
        {CLOCK_MODE_INPUT, "M: <M h:x <h", "2025 1 07 0 04 05", true, false, 0},
        {CLOCK_MODE_INPUT, "Y:2100 <Y M:13 <M s:60 <s Y:999 <Y", "2016 12 07 09 04 59", true, false,
         4},
        // A day past the month's end, typed or left by a new year or month, is its last day.
        {CLOCK_MODE_INPUT, "Y:2024 <Y M:2 <M D:29 <D Y:2023 <Y", "2023 2 28 09 04 05", true, false,
         0},
        {CLOCK_MODE_INPUT, "M:4 <M D:31 <D", "2025 4 30 09 04 05", true, false, 1},
        {CLOCK_MODE_INPUT, "D:05 <D Y:2a0b2c4 <Y", "2024 03 05 09 04 05", true, false, 0},
        // Default shows the defaults (Auto) and keeps the edits' text.
        {CLOCK_MODE_INPUT, "Timer1On=1 Y:2030 default", "2030 03 07 09 04 05", false, false, 0},
    };
    FILE* trace = tmpfile();
    ASSERT_NE(trace, nullptr);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.events);
        ASSERT_NE(freopen(nullptr, "w+", trace), nullptr);
        MenuData rec = Defaults();
        rec.ClockMode = static_cast<uint8_t>(row.mode);
        SaveClockData saveClock{};
        CameraSetupModel form(rec, saveClock, false);
        form.Open(kNow);
        SetTraceSink(trace);
        RunScript(form, row.events);
        SetTraceSink(stdout); // where the other tests capture it
        const DialogView& v = form.View();
        EXPECT_EQ(Joined(v), row.clock);
        EXPECT_EQ(v.Enabled(kClockEditControls[CLOCK_YEAR]), row.clockOn);
        EXPECT_EQ(form.ListEnabled(MenuList::Timer1StartHour), row.timer1On);
        EXPECT_EQ(form.ListEnabled(MenuList::Timer1EndMin), row.timer1On);
        EXPECT_FALSE(form.ListEnabled(MenuList::Serial1)); // SerialOn stays Off
        EXPECT_TRUE(form.ListEnabled(MenuList::CapMode));
        std::string traced = Captured(trace);
        const std::string taken = "Y:2030,M:3,D:7, h:9, m:4, s:5\n"; // what Default took
        if (traced.compare(0, taken.size(), taken) == 0)
            traced.erase(0, taken.size());
        std::string corrections;
        for (int k = 0; k < row.corrected; ++k)
            corrections += "Input value error!\n";
        EXPECT_EQ(traced, corrections);
        // The clock mode goes into the record at once; the lists wait for Generate or the close.
        EXPECT_EQ(rec.ClockMode,
                  v.ListSel(kMenuListControls[static_cast<int>(MenuList::ClockMode)]));
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
    EXPECT_EQ(rec.Tail[1], 0x5A);             // carried
    EXPECT_EQ(ClockOf(rec), ClockOf(kLater)); // the edits' clock, kept to be read back
    EXPECT_EQ(saveClock.Year, 2026);
    EXPECT_EQ(saveClock.Second, 1);

    form.Choose(MenuList::SdCycle, 1, kNow);
    form.Close();
    EXPECT_EQ(rec.SdCycle, 1);

    EXPECT_EQ(form.Default(), CameraSetupBox::DefaultSuccess);
    MenuData expected = rec; // the defaults, with the clock the edits kept
    LoadMenuDefaults(expected);
    memcpy(&expected.Year, &rec.Year, offsetof(MenuData, Timer1On) - offsetof(MenuData, Year));
    EXPECT_EQ(memcmp(&rec, &expected, sizeof rec), 0);
    EXPECT_EQ(ClockOf(rec), ClockOf(kLater));
    EXPECT_FALSE(form.View().Enabled(kClockEditControls[CLOCK_SECOND]));
}

TEST(CameraSetupModel, FirstOpeningReadsTheFileOnceAndGenerateWritesItBack) {
    TempDir dir;
    ASSERT_TRUE(SetSavePath(dir.path().c_str()));
    MenuData stored = Defaults();
    stored.VideoLen = 77; // read as 10 s
    stored.Language = 0;  // read as the first language
    stored.ClockMode = CLOCK_MODE_OFF;
    stored.CapMode = 1;
    ASSERT_TRUE(WriteMenuTo(dir.path().c_str(), stored));
    MenuData rec{};
    SaveClockData saveClock{};
    CameraSetupModel form(rec, saveClock, true);
    form.Open(kNow);
    EXPECT_EQ(std::vector<int>({rec.CapMode, rec.VideoLen, rec.Language, rec.ClockMode}),
              std::vector<int>({1, 9, 1, CLOCK_MODE_AUTO}));
    form.Choose(MenuList::CapMode, 2, kNow);
    form.Close();
    ASSERT_TRUE(WriteMenuTo(dir.path().c_str(), stored));
    form.Open(kNow); // a later opening shows the record as left, without reading the file
    EXPECT_EQ(form.View().ListSel(kMenuListControls[0]), 2);
    EXPECT_EQ(form.Generate(), CameraSetupBox::GenerateSuccess);
    MenuData back{};
    ASSERT_EQ(ReadMenuFrom(dir.path().c_str(), back, SaveClockData{}), 1);
    EXPECT_EQ(std::vector<int>({back.CapMode, back.Year}), std::vector<int>({2, 2025}));
    // A folder the system cannot spell leaves the save folder; a write that fails shows nothing.
    EXPECT_EQ(form.ChooseSaveFolder(nullptr), CameraSetupBox::FolderUnusable);
    EXPECT_EQ(form.View().Text(IDC_CAMERA_SAVE_PATH), dir.path());
    ASSERT_TRUE(SetSavePath((dir.path() + "/missing/deeper").c_str()));
    EXPECT_EQ(form.Default(), CameraSetupBox::None);
}

// Typing 31 into the day and leaving the month gives the month's last day; the table is written
// out here, not taken from the code under test.
TEST(CameraSetupModel, TheDayFollowsEveryMonthOfLeapAndCommonYears) {
    int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const std::pair<const char*, int> years[] = {
        {"2023", 28}, {"2024", 29}, {"2000", 29}, {"2100", 28}};
    for (const auto& [year, february] : years) {
        days[1] = february;
        for (int month = 1; month <= 12; ++month) {
            const int last = days[month - 1];
            MenuData rec = Defaults();
            rec.ClockMode = CLOCK_MODE_INPUT;
            SaveClockData saveClock{};
            CameraSetupModel form(rec, saveClock, false);
            form.Open(kNow);
            form.TypeClockText(CLOCK_DAY, "31");
            form.LeaveClockEdit(CLOCK_DAY); // March: 31 stays
            form.TypeClockText(CLOCK_YEAR, year);
            form.TypeClockText(CLOCK_MONTH, std::to_string(month));
            form.LeaveClockEdit(CLOCK_MONTH);
            form.Generate();
            EXPECT_EQ(rec.Day, last) << year << "-" << month;
            // A day past the end typed afterwards is held to the end as well.
            form.TypeClockText(CLOCK_DAY, std::to_string(last + 1));
            form.LeaveClockEdit(CLOCK_DAY);
            EXPECT_EQ(form.View().Text(kClockEditControls[CLOCK_DAY]), std::to_string(last));
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

} // namespace

// Random sessions of the form; whatever Generate writes, the form opened on that file (showing
// its clock, as camfile opens it) and generated unchanged writes again byte for byte.
TEST(CameraSetupModel, RandomSessionsWriteFilesThatTheFormWritesAgainUnchanged) {
    std::mt19937 rng(20261208);
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
        uint8_t first[MENU_DATA_SIZE];
        BuildMenuImage(rec, first);

        MenuData reopened;
        DecodeMenuImage(first, reopened);
        RepairMenuAsRead(reopened);
        SaveClockData again{};
        CameraSetupModel second(reopened, again, false);
        second.Open(TimeOf(reopened));
        second.Generate();
        uint8_t image[MENU_DATA_SIZE];
        BuildMenuImage(reopened, image);
        ASSERT_EQ(memcmp(first, image, MENU_DATA_SIZE), 0) << "session " << session;
    }
}
