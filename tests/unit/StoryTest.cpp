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
    const DialogView& v = app.View();
    *enabled = !v.Controls().count(id) || (v.Enabled(id) && v.Shown(id));
    return v.Controls().count(id) ? v.At(id).items : std::vector<std::string>();
}

AppEvent EventOf(const StoryStep& s, const AppModel& app) {
    using K = AppEventKind; // in the order of StepKind
    const AppEventKind kinds[] = {K::Press, K::Choose, K::Type, K::Leave,
                                  K::Check, K::Check,  K::Close};
    bool enabled = true;
    const std::vector<std::string> items = ItemsOf(app, s.id, &enabled);
    EXPECT_TRUE(enabled || s.kind == StepKind::Press || s.kind == StepKind::Close)
        << s.name << " takes no input";
    int item = s.kind == StepKind::Check;
    if (s.kind == StepKind::Choose && !ItemPosition(s.text, &item)) {
        item = static_cast<int>(std::find(items.begin(), items.end(), s.text) - items.begin());
        EXPECT_LT(item, static_cast<int>(items.size())) << s.name << " has no item " << s.text;
    }
    return {kinds[static_cast<int>(s.kind)], s.id, item, s.text};
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

// The program's model as the front end: its boxes queued until the story names them.
class ModelFrontEnd : public StoryFrontEnd {
public:
    explicit ModelFrontEnd(const std::string& folder) : folder_(folder) {
        g_iCameraModel = 0; // a fresh program's: the model list outlives a new card
        app_.Start(0x0409, folder.c_str());
        app_.StartOnCard(folder.c_str()); // the wizard's pages live for the whole process
    }
    void Act(const StoryStep& s) override {
        if (s.kind != StepKind::Close) {
            ASSERT_STREQ(Caption(app_.Window()), WindowOfControl(s.name)) << s.name;
        }
        const AppEffects fx = app_.Handle(EventOf(s, app_));
        boxes_.insert(boxes_.end(), fx.boxes.begin(), fx.boxes.end());
        wrote_ = fx.wrote != nullptr ? fx.wrote : "";
    }
    bool BoxShown() override { return !boxes_.empty(); }
    bool TakeBox(StoryBox* box) override {
        if (boxes_.empty())
            return false;
        *box = {boxes_.front().warning, boxes_.front().text->Get()};
        boxes_.pop_front();
        return true;
    }
    std::string Folder() const override { return folder_; }
    bool Wrote(const std::string& file) override { return wrote_ == file; }

private:
    AppModel app_{AppInputs{[] { return kNow; }}};
    std::string folder_, wrote_;
    std::deque<AppBox> boxes_;
};

class UserStory : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(UserStory, PlaysAgainstTheProgramsModel) {
    const Story story = ReadStory(GetParam());
    ASSERT_EQ(story.error, "");
    TempDir card, cli;
    SetTraceSink(nullptr);
    ModelFrontEnd model(card.path());
    PlayStory(story, model, RunCamfile, cli.path());
    SetTraceSink(stdout);
}

INSTANTIATE_TEST_SUITE_P(Stories, UserStory, testing::ValuesIn(StoryNames()),
                         [](const testing::TestParamInfo<std::string>& p) {
                             return StoryTestName(p.param);
                         });
