// The 3G Parameter Settings page (page 1 of the 3G wizard) without a window: what it shows and
// what each of the user's events does to it and to the records. The dialog turns its
// notifications into these events and paints the view; camfile makes the same events as a
// scripted user.
#pragma once

#include "sendset/SendSet.h"
#include "wizard/DialogView.h"
#include "wizard/ParamPageRules.h"

#include <cstddef>
#include <functional>
#include <string>

// The process-wide records the wizard's pages change.
struct WizardRecords {
    SendSet* rec;       // the record the pages edit (g_sSendSet)
    SendSet* saved;     // the hand-over copy between the pages (g_sSendSetSaved)
    int* noRemoteCmd22; // page 2's box "Do not use remote command - 22"
};

// Page 2's check box "Do not use remote command - 22"; 0 at start, never stored in a file.
extern int g_bNoRemoteCmd22;

class ParamPageModel {
public:
    explicit ParamPageModel(const WizardRecords& records);
    // A page kept over rec alone, opened at once on it as the first opening reads a card.
    ParamPageModel(SendSet& rec, bool noRemoteCmd22, bool basicModel);
    ParamPageModel(const ParamPageModel&) = delete;
    ParamPageModel& operator=(const ParamPageModel&) = delete;

    // The window opens. Its first opening in the run reads CFG.BIN with readCard (true when a
    // file was read); later ones take the hand-over copy.
    void Open(const std::function<bool()>& readCard, bool basicModel);

    // The user's choices; each returns false when the list is disabled or hidden, so nothing
    // happens. A country chosen in manual input first returns to the presets, as the user has to.
    bool ChooseSendOption(int index);
    bool ChooseParamMode(int index);
    bool ChooseCountry(int index);
    bool ChooseOperator(int index);
    bool ChooseFtpDirType(int index);
    void ChooseLanguage(int item);
    // The choice of item in the list whose control is id, as the matching event above; false
    // for a list the page does not answer (the APN kind list) or one it does not take now.
    bool Choose(int id, int item);
    // The text an edit holds after the user's typing, as the record's bytes.
    void TypeText(int id, const std::string& bytes);
    // "Next Page": the page's entries into the record and the hand-over copy; page 2 opens next.
    void NextPage();
    // The close box: the list choices (in the record) are kept, no typed text.
    void Close();
    // The window is gone; until then it lives on, hidden, beneath page 2.
    void WindowGone() { open_ = false; }
    // The program starts again on another card: the page is gone, and its next opening is the
    // run's first, which reads the card.
    void StartRun();

    // A list shows another item before the page reacts to the choice (the keyboard moves the
    // selection at once; the page answers when the choice ends): what Generate reads from it.
    void ListShows(int id, int item) {
        if (v_.Controls().count(id) != 0 && v_.At(id).kind == ControlKind::List)
            v_.ListSetSel(id, item);
    }

    const DialogView& View() const { return v_; }
    // The layout of the FTP group, kept across openings; page 2 reads it.
    FtpEditUse FtpLayout() const { return ftpEditUse_; }
    // The send method Generate takes: page 1's list while the page lives, else the record's.
    int SendOptionForGenerate() const;
    // The characters an edit allows in the present layout (nullptr: any), and the most bytes the
    // record takes from it (0: a port, its whole text).
    const char* AllowedChars(int id) const;
    size_t TakeBytes(int id) const;
    // The edit of a record field in the present layout; 0 when no edit of the page shows it.
    int EditOfField(const char* name) const;

private:
    void AddControls();
    void SetEdit(int id, const std::string& text);
    void EditChanged(int id);
    void ShowGroup(ParamEditGroup group);
    void EmptyGroups(unsigned groups);
    void LoadPresetsFromLists();
    void AddCountryNames();
    void AddOperatorNames(int country);
    void SetSingleOthers(int id);
    void SetFtpLayoutTexts();
    void SetTexts(bool refresh);
    void FillOperatorLists(bool manual);
    void ShowFtpGroup(bool shown);
    void ShowFtpOrCloudFields();
    void UpdateState();
    ParamPageState CurrentState() const;
    bool Usable(int id) const;

    WizardRecords r_;
    SendSet ownSaved_{};
    int ownNoRemoteCmd22_ = 0;
    DialogView v_;
    bool open_ = false;
    // Kept for the whole run; none of them is stored in a file.
    bool firstOpen_ = true;        // the first opening reads CFG.BIN
    bool countryListStale_ = true; // the next preset fill of the country list refills it
    bool ftpGroupShown_ = false;   // set once a send option other than "Close 3G" was applied
    FtpEditUse ftpEditUse_ = FTP_EDIT_FTP;
};

// The wizard's page 1 on the process-wide records, kept for the whole run.
ParamPageModel& Page1();
