#include "TempDir.h"

#include "common/SavePath.h"
#include "menu/MenuData.h"
#include "sendset/FileIo.h"
#include "sendset/SendSet.h"

#include <gtest/gtest.h>

#include <cstring>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

MenuData Filled(uint8_t value) {
    MenuData rec;
    memset(&rec, value, sizeof rec);
    return rec;
}

std::vector<uint8_t> Scrambled(const MenuData& rec) {
    std::vector<uint8_t> bytes(MENU_DATA_SIZE);
    memcpy(bytes.data(), &rec, MENU_DATA_SIZE);
    EncodeCfgBuffer(bytes.data(), MENU_DATA_SIZE);
    return bytes;
}

} // namespace

TEST(MenuFile, DefaultsRoundTripWithTailAndNoFlagBit) {
    TempDir dir;
    MenuData defaults = Filled(0x77);
    LoadMenuDefaults(defaults);
    const uint8_t expected[MENU_DATA_SIZE] = {0, 0, 1, 0, 0, 0, 1, 9, 1, 2, 1,    0, 2,    0,   0,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,    0, 0,    0,   0,
                                              0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0x8F, 0, 0x80, 0x80};
    EXPECT_EQ(memcmp(&defaults, expected, MENU_DATA_SIZE), 0);

    const MenuData copy = defaults;
    ASSERT_TRUE(WriteMenuTo(dir.path().c_str(), defaults));
    EXPECT_EQ(memcmp(&defaults, &copy, sizeof copy), 0); // the record stays plain
    std::vector<uint8_t> bytes = ReadBytes(dir.File("menu.dat"));
    ASSERT_EQ(bytes.size(), 44u);
    EXPECT_EQ(bytes, Scrambled(defaults)); // byte 0 is the plain byte scrambled, no flag bit
    EXPECT_EQ(dir.List(), std::vector<std::string>{"menu.dat"});

    MenuData loaded = Filled(0x55);
    CaptureStdout();
    EXPECT_EQ(ReadMenuFrom(dir.path().c_str(), loaded, SaveClockData{}), 1);
    std::string trace = GetCapturedStdout();
    EXPECT_EQ(memcmp(&loaded, &defaults, sizeof loaded), 0);
    EXPECT_NE(trace.find("___sizeof menu data:44___\niGetFileSize = 44\nOpen file - \""),
              std::string::npos);
    EXPECT_NE(trace.find("success!\nCapMode = 0\nImgSize = 0\n"), std::string::npos);
}

TEST(MenuFile, WrongSizesLeaveRecordUntouched) {
    TempDir dir;
    const MenuData before = Filled(0x42);
    for (size_t size : {0u, 43u, 45u}) {
        WriteBytes(dir.File("menu.dat"), std::vector<uint8_t>(size, 0x69));
        MenuData rec = before;
        CaptureStdout();
        EXPECT_EQ(ReadMenuFrom(dir.path().c_str(), rec, SaveClockData{}), 0);
        EXPECT_NE(GetCapturedStdout().find("File szie != struct size!\n"), std::string::npos);
        EXPECT_EQ(memcmp(&rec, &before, sizeof rec), 0) << size;
    }
}

TEST(MenuFile, ReadBackComparesClockButKeepsFileContent) {
    TempDir dir;
    MenuData rec;
    LoadMenuDefaults(rec);
    rec.Year = 2026;
    rec.Month = 12;
    rec.Day = 8;
    rec.Hour = 9;
    rec.Minute = 5;
    rec.Second = 3;
    rec.Interval = 0x81; // one second
    rec.Serial[0] = 10;  // "A"
    ASSERT_TRUE(WriteMenuTo(dir.path().c_str(), rec));

    SaveClockData clock = {2026, 12, 8, 9, 5, 3};
    MenuData loaded{};
    CaptureStdout();
    EXPECT_EQ(ReadMenuFrom(dir.path().c_str(), loaded, clock), 1);
    EXPECT_EQ(loaded.Interval, 0x81);
    EXPECT_EQ(loaded.Year, 2026);

    for (int field = 0; field < 6; ++field) {
        SaveClockData other = clock;
        switch (field) {
        case 0:
            other.Year = 2027;
            break;
        case 1:
            other.Month = 11;
            break;
        case 2:
            other.Day = 9;
            break;
        case 3:
            other.Hour = 10;
            break;
        case 4:
            other.Minute = 6;
            break;
        default:
            other.Second = 4;
            break;
        }
        MenuData stale = Filled(0xCC);
        EXPECT_EQ(ReadMenuFrom(dir.path().c_str(), stale, other), 0) << field;
        EXPECT_EQ(memcmp(&stale, &rec, sizeof rec), 0) << field;
    }
    std::string trace = GetCapturedStdout();
    EXPECT_NE(trace.find("Save clock is different!\n"), std::string::npos);
}

TEST(MenuFile, FailedWritesKeepTheEarlierFile) {
    TempDir dir;
    MenuData rec;
    LoadMenuDefaults(rec);
    ASSERT_TRUE(WriteMenuTo(dir.path().c_str(), rec));
    const std::vector<uint8_t> before = ReadBytes(dir.File("menu.dat"));

    rec.CapMode = 2;
    CaptureStdout();
    EXPECT_FALSE(WriteMenuTo(dir.File("nowhere").c_str(), rec));
    g_pfnBeforeReplaceHook = [](const std::string&) { return false; };
    EXPECT_FALSE(WriteMenuTo(dir.path().c_str(), rec));
    g_pfnBeforeReplaceHook = nullptr;
    std::string trace = GetCapturedStdout();
    EXPECT_NE(trace.find("nowhere/menu.dat\" err!\n" + std::string(48, '_') + "\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(dir.File("menu.dat")), before);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"menu.dat"});
}

TEST(MenuFile, GlobalsUseTheSaveFolderAndSaveClock) {
    TempDir dir;
    ASSERT_TRUE(SetSavePath(dir.path().c_str()));
    LoadMenuDefaults();
    g_sMenuData.Year = 2030;
    SaveClock = SaveClockData{2030, 0, 0, 0, 0, 0};
    CaptureStdout();
    EXPECT_TRUE(WriteMenuFile());
    EXPECT_EQ(ReadMenuFile(), 1);
    SaveClock.Year = 2031;
    EXPECT_EQ(ReadMenuFile(), 0);
    GetCapturedStdout();
    SaveClock = SaveClockData{};
}
