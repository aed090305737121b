// The 3G Send Settings page (page 2 of the 3G wizard) without a window: what it shows and what
// each of the user's events does to it and to the records, "Generate" included. The dialog turns
// its notifications into these events, paints the view and shows the message box Generate asks
// for; camfile makes the same events as a scripted user.
#pragma once

#include "lang/Texts.h"
#include "sendset/Card.h"
#include "wizard/DialogView.h"
#include "wizard/GenerateChecks.h"
#include "wizard/ParamPageModel.h"

#include <cstdint>
#include <string>

// What Generate asks the window to show.
struct GenerateOutcome {
    enum Kind { Refused, Written, Failed } kind;
    int message; // Refused: the number 1..20 of the check's warning
};

class SendPageModel {
public:
    // page1 is the page beneath, whose send option list Generate reads.
    SendPageModel(const WizardRecords& records, const ParamPageModel& page1);
    SendPageModel(const SendPageModel&) = delete;
    SendPageModel& operator=(const SendPageModel&) = delete;

    // The window opens; basicModel: the model chosen sends thumbnails only.
    void Open(bool basicModel);
    // The program starts again on another card: the next opening is the run's first.
    void StartRun() { firstOpen_ = true; }

    // The user's choices; each returns false when the list is disabled, so nothing happens.
    bool ChooseImageSize(int item);
    bool ChooseSendMode(int item);
    bool ChooseDailyTime(int item);
    bool ChooseRemoteInterval(int item);
    bool ChooseDirection(int id, int item);
    // The choice of item in the list whose control is id, as the matching event above; false
    // for another control or a list the page does not take now.
    bool Choose(int id, int item);
    // The command-22 box clicked into the state given.
    bool SetNoRemoteCmd22(bool checked);
    // The text an edit holds after the user's typing, as the record's bytes. checked: the
    // window has already held it to its characters or range (CharsAllowed, RangeMaximum), as its
    // edit filters do; otherwise the page does it here.
    void TypeText(int id, const std::string& bytes, bool checked = false);
    // The remote e-mail edit loses the focus: its text goes into the record.
    void LeaveRemoteEmail();
    // Browse chose a folder; bytes is its path in the system's code page, or null when that
    // cannot spell it. False, the save folder unchanged, when it cannot be the save folder (the
    // page warns kTextFolderUnusable).
    bool ChooseSaveFolder(const char* bytes);
    // The save folder is now path: the page shows it.
    void SaveFolderChosen(const char* path);
    // "Previous Page": the page's entries into the hand-over copy for page 1.
    void PreviousPage();
    // "Generate" at the moment now: the entries, the checks, the file written to card and read
    // back. With refuse false, a record that fails the checks is written all the same as Generate
    // stores it, for a caller that runs the checks on its own terms.
    GenerateOutcome Generate(const GenerateClock& now, Card& card = SaveFolderCard(),
                             bool refuse = true);
    // Generate's entries and checks alone: 0 when the record is ready to be written, else the
    // number of the first check's warning.
    int CheckEntries(const GenerateClock& now);
    // What a passing Generate stores besides the time stamp, whether or not the checks pass: the
    // page's entries and the fields Generate fills in.
    void StoreAsGenerate(const GenerateClock& now);

    // A list shows another item before the page reacts to the choice (the keyboard moves the
    // selection at once; the page answers when the choice ends): what Generate reads from it.
    void ListShows(int id, int item) {
        if (v_.Controls().count(id) != 0 && v_.At(id).kind == ControlKind::List)
            v_.ListSetSel(id, item);
    }

    const DialogView& View() const { return v_; }
    // The range warnings the page's own corrections raised since the last call (a front end
    // shows one box for each).
    int TakeRangeWarnings();
    // The edit whose whole text the page's last correction selected (0: none), as the range
    // check asks for an emptied coordinate; a front end selects it once.
    int TakeWholeSelection();
    // The characters an edit allows (nullptr: any); the largest value a coordinate edit takes
    // with the other two of its axis as they stand (0 for other edits).
    const char* CharsAllowed(int id) const;
    bool IsCoordinateEdit(int id) const;
    uint16_t RangeMaximum(int id) const;
    // The most bytes the record takes from an edit (0: its whole text).
    size_t TakeBytes(int id) const;
    // The edit of a record field; 0 when the page has none.
    static int EditOfField(const char* name);

private:
    void AddControls();
    void SetEdit(int id, const std::string& text);
    void EditChanged(int id);
    void ShowCoordinate(int axis, const Coordinate& c);
    void SetTexts();
    void ShowRecord();
    void EnableRemoteDetails(bool on);
    long Number(int id) const;
    void TakeRecipients(SendSet& rec) const;
    void TakeRemoteEdits(SendSet& rec) const;
    Coordinate TakeCoordinate(int axis, const Coordinate& previous) const;
    void TakeEntries(SendSet& rec) const;
    GenerateControls Controls(const GenerateClock& now, const SendSet& rec) const;
    bool Usable(int id) const;

    WizardRecords r_;
    const ParamPageModel& page1_;
    DialogView v_;
    bool firstOpen_ = true; // later openings take the record from the hand-over copy
    int rangeWarnings_ = 0;
    int wholeSelection_ = 0;
};

// The wizard's page 2 on the process-wide records, above Page1().
SendPageModel& Page2();
