// The whole program without a window: which of the four windows is open, their models over the
// process-wide records (or a caller's), and what each user event asks the front end to show. A
// window that opens another keeps living beneath it (page 1 beneath page 2, whose Generate reads
// page 1's list); Previous Page ends page 2 and the page beneath it and opens a fresh page 1 on the
// hand-over copy; each close box opens a new Main Setup; page 1 and Camera Setup read the card at
// the run's first opening. A front end turns its input into AppEvents, paints the open window's
// view and carries out the effects. The clock and the card come in as inputs.
#pragma once

#include "app/MainSetupModel.h"
#include "lang/Texts.h"
#include "menu/CameraSetupModel.h"
#include "menu/ClockRules.h"
#include "sendset/Card.h"
#include "wizard/ParamPageModel.h"
#include "wizard/SendPageModel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

enum class AppWindow { MainSetup, ParamPage, SendPage, CameraSetup };

// One user event on the open window: a list's item chosen, an edit's text typed (the record's
// bytes; item 1 when the window has already held it to its characters or range, as its edit
// filters do), an edit left, a check box set (item 1) or cleared, a button pressed, the close box,
// the clock's one-second tick, a folder chosen with "Browse" (text: its path in the system's code
// page, empty when that code page cannot spell it), or a list showing another item before its
// choice ends (a list that answers when the choice ends follows it until then).
enum class AppEventKind { Choose, Type, Leave, Check, Press, Close, Tick, FolderChosen, Shows };

struct AppEvent {
    AppEvent(AppEventKind k, int control = 0, int listItem = 0, std::string typed = {})
        : kind(k), id(control), item(listItem), text(std::move(typed)) {}
    AppEventKind kind;
    int id;
    int item;
    std::string text;
};

// A message box: a warning or a notice, with its text in the current language.
struct AppBox {
    bool warning;
    const TextPair* text;
};

// What an event asks of the front end besides painting the open window.
struct AppEffects {
    std::vector<AppBox> boxes;   // in order
    const char* wrote = nullptr; // the file written and read back as written, by its name
    int selectWhole = 0;         // the edit whose whole text the window selected
    bool ignored = false; // the window did not take the choice: its list is disabled or hidden
    bool ended = false;   // Main Setup's close box: the program ends
};

// What the program takes from its surroundings: the local time, and the card it reads CFG.BIN
// and menu.dat from at the first openings and writes them to on Generate and Default.
struct AppInputs {
    std::function<ClockTime()> now;
    Card* card = nullptr; // null: the save folder (SaveFolderCard)
    // Generate refuses a record that fails its checks (the program); false: it writes what it
    // stores all the same, for a caller that runs the checks on its own terms (camfile set).
    bool generateRefuses = true;
};

// The records the windows change: the wizard's pages' and Camera Setup's with its clock.
struct AppRecords {
    WizardRecords wizard;
    MenuData* menu;
    SaveClockData* saveClock;
};

class AppModel {
public:
    // The program on the process-wide records (g_sSendSet, g_sSendSetSaved, g_bNoRemoteCmd22,
    // g_sMenuData, SaveClock), the pages being Page1() and Page2().
    explicit AppModel(AppInputs inputs);
    // The program on a caller's records, with pages of its own.
    AppModel(AppInputs inputs, const AppRecords& records);

    // The program starts in folder: Main Setup's first opening, in the system's language.
    AppEffects Start(uint16_t systemLangId, const char* folder);
    // The program starts again on the card in folder: every window ends, the forms' entries go,
    // and page 1 and Camera Setup read the card at their next opening, the run's first again.
    AppEffects StartOnCard(const char* folder);
    AppEffects Handle(const AppEvent& event);

    AppWindow Window() const { return window_; }
    // What the open window shows.
    const DialogView& View() const;
    // Whether the forms hold entries not yet written since the start or their last file.
    bool HasEntries() const { return sendSetEntries_ || menuEntries_; }

    const MainSetupModel& MainSetup() const { return main_; }
    const ParamPageModel& ParamPage() const { return page1_; }
    const SendPageModel& SendPage() const { return page2_; }
    const CameraSetupModel& CameraSetup() const { return camera_; }

private:
    void Open(AppWindow window);
    void OpenMainSetup();
    void Press(int id, AppEffects& fx);
    void Close();
    void Box(AppEffects& fx, CameraSetupBox box);

    Card& TheCard() const { return in_.card != nullptr ? *in_.card : SaveFolderCard(); }

    AppInputs in_;
    AppRecords records_;
    std::unique_ptr<ParamPageModel> ownPage1_; // over a caller's records
    std::unique_ptr<SendPageModel> ownPage2_;
    MainSetupModel main_;
    ParamPageModel& page1_;
    SendPageModel& page2_;
    CameraSetupModel camera_;
    AppWindow window_ = AppWindow::MainSetup;
    bool sendSetEntries_ = false;
    bool menuEntries_ = false;
};
