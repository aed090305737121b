#include "TempDir.h"

#include "app/AppModel.h"
#include "common/Trace.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

const ClockTime kNow = {2026, 12, 9, 10, 0, 0};

// The program started afresh on the card in folder, its trace silent.
struct Program {
    AppModel app{AppInputs{[] { return kNow; }}};
    explicit Program(const std::string& folder) {
        SetTraceSink(nullptr);
        app.Start(0x0409, folder.c_str());
        app.StartOnCard(folder.c_str()); // the wizard's pages live for the whole process
    }
    ~Program() { SetTraceSink(stdout); }
};

} // namespace

// Each row: an event on the window open, and the window open after it.
TEST(AppModel, EveryMoveBetweenWindowsOpensTheWindowTheProgramOpens) {
    TempDir card;
    Program p(card.path());
    const struct {
        AppEventKind kind;
        int id;
        AppWindow after;
    } steps[] = {
        {AppEventKind::Press, IDC_MAIN_3G_SETUP, AppWindow::ParamPage},
        {AppEventKind::Press, IDC_PARAM_NEXT_PAGE, AppWindow::SendPage},
        {AppEventKind::Press, IDC_SEND_GENERATE, AppWindow::SendPage},
        {AppEventKind::Press, IDC_SEND_PREVIOUS_PAGE, AppWindow::ParamPage},
        {AppEventKind::Press, IDC_PARAM_NEXT_PAGE, AppWindow::SendPage},
        {AppEventKind::Close, 0, AppWindow::MainSetup},
        {AppEventKind::Press, IDC_MAIN_CAMERA_SETUP, AppWindow::CameraSetup},
        {AppEventKind::Tick, 0, AppWindow::CameraSetup},
        {AppEventKind::Close, 0, AppWindow::MainSetup},
        {AppEventKind::Close, 0, AppWindow::MainSetup}, // the program's end is the front end's
        {AppEventKind::Press, IDC_MAIN_3G_SETUP, AppWindow::ParamPage},
        {AppEventKind::Close, 0, AppWindow::MainSetup},
    };
    for (const auto& s : steps) {
        p.app.Handle({s.kind, s.id});
        EXPECT_EQ(p.app.Window(), s.after) << "event on " << s.id;
    }
}
