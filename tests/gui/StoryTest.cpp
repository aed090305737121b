// Each user story of tests/stories (the steps: tests/unit/StoryFile.h) played through the real
// dialogs, with camfile.exe, built beside this program, as the reference. The program starts once
// a process, so each story is a test of its own (CMake adds one per story file).
#include "GuiHarness.h"
#include "StoryFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gui;

namespace {

void ActOn(App& app, const StoryStep& s) {
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

// The program's dialogs as the front end.
class DialogsFrontEnd : public StoryFrontEnd {
public:
    void Act(const StoryStep& s) override { ActOn(app_, s); }
    bool BoxShown() override { return MessageBoxShown(app_); }
    bool TakeBox(StoryBox* box) override {
        const MessageBoxInfo shown = WaitMessageBox(app_);
        if (shown.wnd == nullptr)
            return false;
        EXPECT_EQ(shown.caption, shown.warningIcon ? "Warning" : "Notice");
        *box = {shown.warningIcon, shown.text};
        DismissMessageBox(app_, shown);
        return true;
    }
    std::string Folder() const override { return app_.Folder(); }

    App app_;
};

class UserStory : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(UserStory, PlaysThroughTheDialogs) {
    const Story story = ReadStory(GetParam());
    ASSERT_EQ(story.error, "");
    DialogsFrontEnd dialogs;
    const std::string cli = dialogs.Folder() + "\\camfile";
    CreateDirectoryA(cli.c_str(), nullptr);
    int runs = 0; // an output file a run: Wine may not yet have let go of the last one
    PlayStory(
        story, dialogs,
        [&](const std::vector<std::string>& args) {
            const CamfileRun run =
                RunCamfile(args, cli + "\\out" + std::to_string(++runs) + ".txt");
            return CamfileResult{run.status, run.out};
        },
        cli);
}

INSTANTIATE_TEST_SUITE_P(Stories, UserStory, testing::ValuesIn(StoryNames()),
                         [](const testing::TestParamInfo<std::string>& p) {
                             return StoryTestName(p.param);
                         });
