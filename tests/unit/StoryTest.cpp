// Each user story of tests/stories (the steps: StoryFile.h) played against AppModel, the whole
// program without a window, on a fresh card folder; camfile, the companion, as the reference.
#include "StoryFile.h"
#include "TempDir.h"

#include "app/AppModel.h"
#include "common/Trace.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <sys/wait.h>

namespace {

const ClockTime kNow = {2026, 12, 9, 10, 0, 0};

const char* Caption(AppWindow w) {
    const char* const captions[] = {"Setup", "3G Parameter Settings", "3G Send Settings",
                                    "Camera Setup"};
    return captions[static_cast<int>(w)];
}

// The open window's list or edit with this id: its items, and whether it takes input.
std::vector<std::string> ItemsOf(const AppModel& app, int id, bool* enabled) {
    *enabled = true;
    switch (app.Window()) {
    case AppWindow::MainSetup:
        return id == IDC_MAIN_MODEL_LIST ? app.MainSetup().View().modelItems
                                         : app.MainSetup().View().languageItems;
    case AppWindow::ParamPage:
    case AppWindow::SendPage: {
        const DialogView& v =
            app.Window() == AppWindow::ParamPage ? app.ParamPage().View() : app.SendPage().View();
        *enabled = v.Enabled(id) && v.Shown(id);
        return v.At(id).items;
    }
    case AppWindow::CameraSetup:
        if (const int list = MenuListOfControl(id); list >= 0) {
            *enabled = app.CameraSetup().View().listEnabled[list];
            return MenuListItems(static_cast<MenuList>(list));
        }
        *enabled = id == IDC_CAMERA_SAVE_PATH || app.CameraSetup().View().clockEnabled;
        return {};
    }
    return {};
}

AppEvent EventOf(const StoryStep& s, const AppModel& app) {
    bool enabled = true;
    const std::vector<std::string> items = ItemsOf(app, s.id, &enabled);
    EXPECT_TRUE(enabled || s.kind == StepKind::Press || s.kind == StepKind::Close)
        << s.name << " takes no input";
    switch (s.kind) {
    case StepKind::Choose: {
        int item = -1;
        if (!ItemPosition(s.text, &item))
            item = static_cast<int>(std::find(items.begin(), items.end(), s.text) - items.begin());
        EXPECT_LT(item, static_cast<int>(items.size())) << s.name << " has no item " << s.text;
        return {AppEventKind::Choose, s.id, item};
    }
    case StepKind::Type:
        return {AppEventKind::Type, s.id, 0, s.text};
    case StepKind::Leave:
        return {AppEventKind::Leave, s.id};
    case StepKind::Check:
    case StepKind::Uncheck:
        return {AppEventKind::Check, s.id, s.kind == StepKind::Check};
    case StepKind::Press:
        return {AppEventKind::Press, s.id};
    default:
        return {AppEventKind::Close};
    }
}

std::string Quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CamfileResult RunCamfile(const std::vector<std::string>& args) {
    TempDir io;
    std::string command = "timeout 60 " + Quoted(CAMFILE_PATH);
    for (const std::string& a : args)
        command += " " + Quoted(a);
    command += " >" + Quoted(io.File("out")) + " 2>&1";
    const int raw = std::system(command.c_str());
    const std::vector<uint8_t> out = ReadBytes(io.File("out"));
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(out.begin(), out.end())};
}

class UserStory : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(UserStory, PlaysAgainstTheProgramsModel) {
    const Story story = ReadStory(GetParam());
    ASSERT_EQ(story.error, "");
    TempDir card, cli;
    SetTraceSink(nullptr);
    g_iCameraModel = 0; // a fresh program's: the model list outlives a new card
    AppModel app{AppInputs{[] { return kNow; }}};
    app.Start(0x0409, card.path().c_str());
    app.StartOnCard(card.path().c_str()); // the wizard's pages live for the whole process
    std::deque<AppBox> boxes;
    std::string warning, wrote, last;
    for (const StoryStep& s : story.steps) {
        SCOPED_TRACE(story.name + ".story:" + std::to_string(s.line));
        switch (s.kind) {
        case StepKind::Box:
            ASSERT_FALSE(boxes.empty()) << "no box came";
            EXPECT_EQ(boxes.front().warning ? "warning" : "notice", s.name);
            EXPECT_EQ(WithoutCr(boxes.front().text->Get()), s.text);
            if (boxes.front().warning)
                warning = s.text;
            boxes.pop_front();
            break;
        case StepKind::Written:
            EXPECT_EQ(wrote, s.name);
            last = card.File(s.name);
            break;
        case StepKind::Field:
            ExpectFieldShown(s, RunCamfile({"show", last}).out);
            break;
        case StepKind::Camfile:
            ExpectCamfileAgrees(story, s, RunCamfile, cli.path(), ReadBytes(card.File(s.name)),
                                warning);
            break;
        default: {
            ASSERT_TRUE(boxes.empty()) << "a box the story does not name: " << boxes[0].text->Get();
            if (s.kind != StepKind::Close) {
                ASSERT_STREQ(Caption(app.Window()), WindowOfControl(s.name)) << s.name;
            }
            const AppEffects fx = app.Handle(EventOf(s, app));
            boxes.insert(boxes.end(), fx.boxes.begin(), fx.boxes.end());
            wrote = fx.wrote != nullptr ? fx.wrote : "";
        }
        }
    }
    EXPECT_TRUE(boxes.empty()) << "a box the story does not name";
    std::vector<std::string> written = story.Written();
    std::sort(written.begin(), written.end());
    EXPECT_EQ(card.List(), written);
    SetTraceSink(stdout);
}

INSTANTIATE_TEST_SUITE_P(Stories, UserStory, testing::ValuesIn(StoryNames()),
                         [](const testing::TestParamInfo<std::string>& p) {
                             return StoryTestName(p.param);
                         });
