#include "TempDir.h"

#include "app/AppModel.h"
#include "common/Trace.h"
#include "res/resource.h"
#include "sendset/SendSet.h"

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
    AppEffects Press(int id) { return app.Handle({AppEventKind::Press, id}); }
    AppEffects Close() { return app.Handle({AppEventKind::Close}); }
    int SendOption() const { return app.ParamPage().View().ListSel(IDC_PARAM_SEND_OPTION); }
};

SendSet CardRecord(int sendBy) {
    SendSet rec;
    LoadSendSetDefaults(rec);
    rec.bySendBy = static_cast<uint8_t>(sendBy);
    return rec;
}

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

// Page 1 reads the card once a run; closed and opened again it shows what the pages handed over.
// Starting again on the card reads it anew and drops the entries.
TEST(AppModel, FirstOpeningsReadTheCardOnceARunAndAgainOnANewStart) {
    TempDir card;
    SetTraceSink(nullptr);
    ASSERT_TRUE(WriteSendSetTo(card.path().c_str(), CardRecord(SEND_BY_FTP)));
    Program p(card.path());
    p.Press(IDC_MAIN_3G_SETUP);
    EXPECT_EQ(p.SendOption(), SEND_BY_FTP);
    p.Close();
    ASSERT_TRUE(WriteSendSetTo(card.path().c_str(), CardRecord(SEND_BY_MMS)));
    p.Press(IDC_MAIN_3G_SETUP);
    EXPECT_EQ(p.SendOption(), SEND_BY_FTP) << "read again in the same run";
    p.app.Handle({AppEventKind::Choose, IDC_PARAM_SEND_OPTION, SEND_BY_CLOSE_3G});
    EXPECT_TRUE(p.app.HasEntries());

    p.app.StartOnCard(card.path().c_str());
    EXPECT_EQ(p.app.Window(), AppWindow::MainSetup);
    EXPECT_FALSE(p.app.HasEntries());
    p.Press(IDC_MAIN_3G_SETUP);
    EXPECT_EQ(p.SendOption(), SEND_BY_MMS);
}
