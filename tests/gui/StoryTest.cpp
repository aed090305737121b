// Each user story of tests/stories (the steps: tests/unit/StoryFile.h) played through the real
// dialogs, with camfile.exe, built beside this program, as the reference. The program starts once
// a process, so each story is a test of its own (CMake adds one per story file).
#include "GuiHarness.h"
#include "StoryFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace gui;

namespace {

void Act(App& app, const StoryStep& s) {
    HWND dlg =
        s.kind == StepKind::Close ? app.Visible() : app.Wait(WindowTitle(WindowOfControl(s.name)));
    ASSERT_NE(dlg, nullptr) << "no window for " << s.name;
    if (s.kind != StepKind::Press && s.kind != StepKind::Close) {
        EXPECT_TRUE(Enabled(dlg, s.id) && Visible(dlg, s.id)) << s.name << " takes no input";
    }
    int item = 0;
    switch (s.kind) {
    case StepKind::Choose:
        if (ItemPosition(s.text, &item))
            Choose(app, dlg, s.id, item);
        else
            Choose(app, dlg, s.id, s.text.c_str());
        break;
    case StepKind::Type:
        Type(app, dlg, s.id, s.text.c_str());
        break;
    case StepKind::Leave:
        LeaveEdit(app, dlg, s.id);
        break;
    case StepKind::Check:
    case StepKind::Uncheck:
        SetCheck(app, dlg, s.id, s.kind == StepKind::Check);
        break;
    case StepKind::Press:
        Click(app, dlg, s.id);
        break;
    default:
        app.Close(dlg);
    }
}

class UserStory : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(UserStory, PlaysThroughTheDialogs) {
    const Story story = ReadStory(GetParam());
    ASSERT_EQ(story.error, "");
    App app;
    const std::string cli = app.Folder() + "\\camfile";
    CreateDirectoryA(cli.c_str(), nullptr);
    int runs = 0; // an output file a run: Wine may not yet have let go of the last one
    const RunCamfileFn camfile = [&](const std::vector<std::string>& args) {
        const CamfileRun run = RunCamfile(args, cli + "\\out" + std::to_string(++runs) + ".txt");
        return CamfileResult{run.status, run.out};
    };
    std::string warning, last;
    for (const StoryStep& s : story.steps) {
        SCOPED_TRACE(story.name + ".story:" + std::to_string(s.line));
        switch (s.kind) {
        case StepKind::Box: {
            const MessageBoxInfo box = WaitMessageBox(app);
            ASSERT_NE(box.wnd, nullptr) << "no box came";
            const bool warns = s.name == "warning";
            EXPECT_EQ(box.caption, warns ? "Warning" : "Notice");
            EXPECT_EQ(box.warningIcon, warns);
            EXPECT_EQ(WithoutCr(box.text), s.text);
            warning = warns ? s.text : warning;
            DismissMessageBox(app, box);
            break;
        }
        case StepKind::Written:
            last = app.FilePath(s.name.c_str());
            EXPECT_TRUE(FileExists(last)) << s.name;
            break;
        case StepKind::Field:
            ExpectFieldShown(s, camfile({"show", last}).out);
            break;
        case StepKind::Camfile:
            ExpectCamfileAgrees(story, s, camfile, cli, FileBytes(app.FilePath(s.name.c_str())),
                                warning);
            break;
        default:
            ASSERT_FALSE(MessageBoxShown(app)) << "a box the story does not name";
            Act(app, s);
        }
    }
    EXPECT_FALSE(MessageBoxShown(app)) << "a box the story does not name";
    std::vector<std::string> written = story.Written();
    std::sort(written.begin(), written.end());
    EXPECT_EQ(FilesIn(app.Folder()), written);
}

INSTANTIATE_TEST_SUITE_P(Stories, UserStory, testing::ValuesIn(StoryNames()),
                         [](const testing::TestParamInfo<std::string>& p) {
                             return StoryTestName(p.param);
                         });
