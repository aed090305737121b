// Random Camera Setup sessions made twice: with the dialog, and with camfile.exe set from the
// assignments that the same choices and typed clock stand for. The two files must be the same.
#include "CameraSetupSteps.h"
#include "GuiHarness.h"

#include "lang/OptionLists.h"
#include "menu/CameraSetupRules.h"
#include "menu/MenuData.h"
#include "menu/CameraSetupModel.h"
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
    const int position = Selection(dlg, kMenuListControls[list]);
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
        if (!Enabled(dlg, kMenuListControls[list]))
            continue;
        const int count = OptionCount(kMenuListFields[list].items);
        Choose(app, dlg, kMenuListControls[list],
               static_cast<int>(rng() % static_cast<unsigned>(count)));
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
            Type(app, dlg, kClockEditControls[edit], text.c_str());
            LeaveEdit(app, dlg, kClockEditControls[edit]);
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
