// Random Camera Setup sessions made twice: with the dialog, and with camfile.exe set from the
// assignments that the same choices and typed clock stand for. The two files must be the same.
#include "CameraSetupSteps.h"
#include "GuiHarness.h"

#include "lang/OptionLists.h"
#include "menu/CameraSetupRules.h"
#include "menu/MenuData.h"
#include "res/resource.h"
#include "ui/ControlsWin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using namespace gui;

namespace {

// The control of each list, in the order of MenuList.
const int kListIds[MENU_LIST_COUNT] = {IDC_CAMERA_MODE,
                                       IDC_CAMERA_IMAGE_SIZE,
                                       IDC_CAMERA_VIDEO_SIZE,
                                       IDC_CAMERA_PICTURE_NUMBER,
                                       IDC_CAMERA_TIME_STAMP,
                                       IDC_CAMERA_SENSE_LEVEL,
                                       IDC_CAMERA_SIDE_PIR,
                                       IDC_CAMERA_VIDEO_LENGTH,
                                       IDC_CAMERA_INTERVAL_COUNT,
                                       IDC_CAMERA_INTERVAL_UNIT,
                                       IDC_CAMERA_DATE_FORMAT,
                                       IDC_CAMERA_BEEP_SOUND,
                                       IDC_CAMERA_SD_CYCLE,
                                       IDC_CAMERA_LANGUAGE,
                                       IDC_CAMERA_CLOCK_MODE,
                                       IDC_CAMERA_TIMER1,
                                       IDC_CAMERA_TIMER1_START_HOUR,
                                       IDC_CAMERA_TIMER1_START_MIN,
                                       IDC_CAMERA_TIMER1_END_HOUR,
                                       IDC_CAMERA_TIMER1_END_MIN,
                                       IDC_CAMERA_TIMER2,
                                       IDC_CAMERA_TIMER2_START_HOUR,
                                       IDC_CAMERA_TIMER2_START_MIN,
                                       IDC_CAMERA_TIMER2_END_HOUR,
                                       IDC_CAMERA_TIMER2_END_MIN,
                                       IDC_CAMERA_SERIAL,
                                       IDC_CAMERA_SERIAL_CHAR1,
                                       IDC_CAMERA_SERIAL_CHAR2,
                                       IDC_CAMERA_SERIAL_CHAR3,
                                       IDC_CAMERA_SERIAL_CHAR4,
                                       IDC_CAMERA_TIME_LAPSE,
                                       IDC_CAMERA_TIME_LAPSE_HOUR,
                                       IDC_CAMERA_TIME_LAPSE_MIN,
                                       IDC_CAMERA_TIME_LAPSE_SEC};

const int kClockIds[6] = {IDC_CAMERA_YEAR, IDC_CAMERA_MONTH,  IDC_CAMERA_DAY,
                          IDC_CAMERA_HOUR, IDC_CAMERA_MINUTE, IDC_CAMERA_SECOND};
const char* const kClockNames[6] = {"Year", "Month", "Day", "Hour", "Minute", "Second"};
const int kClockLow[6] = {2016, 1, 1, 0, 0, 0};
const int kClockHigh[6] = {2099, 12, 28, 23, 59, 59}; // no day a month would cut

// The assignment a list's choice stands for, the stored value as the dialog shows it now.
std::string AssignmentOf(HWND dlg, int list) {
    const MenuListField& f = kMenuListFields[list];
    const MenuList l = static_cast<MenuList>(list);
    if (l == MenuList::IntervalCount || l == MenuList::IntervalUnit) {
        const int count = Selection(dlg, IDC_CAMERA_INTERVAL_COUNT);
        const bool seconds = Selection(dlg, IDC_CAMERA_INTERVAL_UNIT) == 0;
        return "Interval=" + std::to_string(count | (seconds ? 0x80 : 0));
    }
    const int position = Selection(dlg, kListIds[list]);
    return std::string(f.field) + "=" +
           std::to_string(l == MenuList::Language ? position + 1 : position);
}

// One session from the seed's generator, on the form as the last one left it: choices in enabled
// lists, then, in Input mode, the whole clock typed in a random order, and Generate; the same as
// assignments to camfile set on the file the last session wrote (the defaults at first).
// Returns the dialog's file and camfile's, and whether the clock was typed.
void MakeSession(App& app, std::mt19937& rng, bool first, std::vector<uint8_t>* dialogFile,
                 std::vector<uint8_t>* camfileFile, bool* typedClock) {
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    const std::string cli = app.Folder() + "\\cli\\menu.dat";
    std::vector<std::string> args = {"set", cli};
    if (first)
        args.insert(args.begin() + 1, "--new");
    else
        WriteFileBytes(cli, ReadFileBytes(app.FilePath("menu.dat")));
    const int choices = 4 + static_cast<int>(rng() % 12);
    for (int k = 0; k < choices; ++k) {
        const int list = static_cast<int>(rng() % MENU_LIST_COUNT);
        if (!Enabled(dlg, kListIds[list]))
            continue;
        const int count = OptionCount(kMenuListFields[list].items);
        Choose(app, dlg, kListIds[list], static_cast<int>(rng() % static_cast<unsigned>(count)));
        args.push_back(AssignmentOf(dlg, list));
    }
    *typedClock = Selection(dlg, IDC_CAMERA_CLOCK_MODE) == 1;
    if (*typedClock) {
        int order[6] = {0, 1, 2, 3, 4, 5};
        std::shuffle(std::begin(order), std::end(order), rng);
        for (int edit : order) {
            const unsigned span = static_cast<unsigned>(kClockHigh[edit] - kClockLow[edit] + 1);
            const int value = kClockLow[edit] + static_cast<int>(rng() % span);
            const std::string text =
                (rng() % 3 == 0 && value < 10 ? "0" : "") + std::to_string(value);
            Type(app, dlg, kClockIds[edit], text.c_str());
            LeaveEdit(app, dlg, kClockIds[edit]);
            args.push_back(std::string(kClockNames[edit]) + "=" + text);
        }
    }
    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    *dialogFile = ReadFileBytes(app.FilePath("menu.dat"));
    app.Close(dlg);

    const CamfileRun run = RunCamfile(args, app.Folder() + "\\camfile-out.txt");
    ASSERT_EQ(run.status, 0) << run.out;
    *camfileFile = ReadFileBytes(cli);
}

// Sessions one after another in one run of the program. The clock bytes are compared where the
// clock was typed: Auto takes the time of writing, and Off keeps the clock the form last took.
void ExpectSameSessions(unsigned seed, int sessions) {
    std::mt19937 rng(seed);
    App app;
    ASSERT_TRUE(CreateDirectoryW(Utf8ToWide((app.Folder() + "\\cli").c_str()).c_str(), nullptr));
    for (int session = 0; session < sessions; ++session) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", session " + std::to_string(session));
        std::vector<uint8_t> dialog, cli;
        bool typedClock = false;
        MakeSession(app, rng, session == 0, &dialog, &cli, &typedClock);
        ASSERT_EQ(dialog.size(), static_cast<size_t>(MENU_DATA_SIZE));
        ASSERT_EQ(cli.size(), dialog.size());
        for (size_t i = 0; i < dialog.size(); ++i) {
            if (!typedClock && i >= offsetof(MenuData, Year) && i <= offsetof(MenuData, Second))
                continue;
            EXPECT_EQ(dialog[i], cli[i]) << "byte " << i;
        }
    }
}

} // namespace

TEST(CameraSetupParity, RandomSessionsGiveTheSameFileBothWaysFirstHalf) {
    ExpectSameSessions(2026, 12);
}

TEST(CameraSetupParity, RandomSessionsGiveTheSameFileBothWaysSecondHalf) {
    ExpectSameSessions(1208, 12);
}
