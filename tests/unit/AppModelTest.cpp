#include "TempDir.h"

#include "app/AppModel.h"
#include "common/Trace.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstring>

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

// The program over a caller's records and an in-memory card: the first openings read the card's
// files into those records, Generate writes to the card alone, and the process-wide records and
// the save folder stay as they were. Each row: the card's CFG.BIN (none: the defaults, whose
// missing recipients the checks refuse), whether Generate refuses what its checks fail, and
// whether it writes.
TEST(AppModel, OverACallersRecordsAndCardTheProgramReadsAndWritesThemAlone) {
    SendSet closed;
    LoadSendSetDefaults(closed);
    closed.bySendBy = SEND_BY_CLOSE_3G;
    SendSet email = closed;
    email.bySendBy = SEND_BY_EMAIL; // without recipients
    MenuData video;
    LoadMenuDefaults(video);
    video.CapMode = 1;
    const struct {
        const SendSet* file;
        bool refuses;
        bool writes;
    } rows[] = {{&closed, true, true},
                {&email, true, false},
                {&email, false, true},
                {nullptr, true, false},
                {nullptr, false, true}};
    TempDir folder;
    SetTraceSink(nullptr);
    const SendSet processRecord = g_sSendSet;
    for (const auto& row : rows) {
        SendSet rec{}, saved{};
        int noRemoteCmd22 = 0;
        MenuData menu{};
        SaveClockData saveClock{};
        MemoryCard card;
        card.files[kMenuFileName].resize(MENU_DATA_SIZE);
        BuildMenuImage(video, card.files[kMenuFileName].data());
        if (row.file != nullptr) {
            card.files[kSendSetFileName].resize(SEND_SET_SIZE);
            BuildSendSetImage(*row.file, card.files[kSendSetFileName].data());
        }
        AppModel app(AppInputs{[] { return kNow; }, &card, row.refuses},
                     AppRecords{{&rec, &saved, &noRemoteCmd22}, &menu, &saveClock});
        app.Start(0x0409, folder.path().c_str());
        app.Handle({AppEventKind::Press, IDC_MAIN_3G_SETUP});
        EXPECT_EQ(rec.bySendBy, row.file != nullptr ? row.file->bySendBy : uint8_t{SEND_BY_MMS});
        app.Handle({AppEventKind::Press, IDC_PARAM_NEXT_PAGE});
        const AppEffects fx = app.Handle({AppEventKind::Press, IDC_SEND_GENERATE});
        EXPECT_EQ(fx.wrote != nullptr, row.writes);
        SendSet written{};
        const auto cfg = card.files.find(kSendSetFileName);
        if (row.writes && cfg != card.files.end()) {
            EXPECT_TRUE(DecodeStoredSendSet(cfg->second.data(), written, nullptr));
            EXPECT_EQ(memcmp(&written, &rec, sizeof rec), 0);
            EXPECT_EQ(written.sTime.byYear, kNow.year - 2000);
        }
        EXPECT_EQ(cfg != card.files.end(), row.file != nullptr || row.writes);
        app.Handle({AppEventKind::Close});
        app.Handle({AppEventKind::Press, IDC_MAIN_CAMERA_SETUP});
        EXPECT_EQ(menu.CapMode, video.CapMode);
        EXPECT_EQ(app.Handle({AppEventKind::Press, IDC_CAMERA_GENERATE}).wrote, kMenuFileName);
        MenuData generated{};
        DecodeMenuImage(card.files[kMenuFileName].data(), generated);
        EXPECT_EQ(generated.Year, kNow.year); // the clock the form took, in Auto mode
        EXPECT_EQ(generated.CapMode, video.CapMode);
    }
    EXPECT_EQ(memcmp(&g_sSendSet, &processRecord, sizeof processRecord), 0);
    EXPECT_TRUE(folder.List().empty());
    SetTraceSink(stdout);
}
