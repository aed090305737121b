// Camera Setup without a window: what each control of the form shows, and what each user event
// does to it and to the camera menu record. The dialog paints this state and turns its
// notifications into these events; camfile drives the same events from its command line.
#pragma once

#include "lang/Texts.h"
#include "menu/CameraSetupRules.h"
#include "menu/ClockRules.h"
#include "menu/MenuData.h"
#include "sendset/Card.h"
#include "wizard/DialogView.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// A moment of the computer's clock, as the clock edits show it.
struct ClockTime {
    int year, month, day, hour, minute, second;
};

// The message box an event asks the window to show.
enum class CameraSetupBox {
    None,
    GenerateSuccess, // notice: "Generate Success!"
    DefaultSuccess,  // notice: "Default setting and generate success!"
    FolderUnusable,  // warning: the chosen folder cannot be the save folder
};

class CameraSetupModel {
public:
    // A form on rec (the window's is g_sMenuData with SaveClock). With a card, the first opening
    // reads menu.dat from it and Generate and Default write it there and read it back; without
    // (null), the form only changes rec, for a caller that writes it itself.
    CameraSetupModel(MenuData& rec, SaveClockData& saveClock, Card* card);
    // withFiles: on the save folder's card.
    CameraSetupModel(MenuData& rec, SaveClockData& saveClock, bool withFiles)
        : CameraSetupModel(rec, saveClock, withFiles ? &SaveFolderCard() : nullptr) {}

    // Opening the window. The first opening of a form with files starts from menu.dat (repaired)
    // or the defaults, in Auto clock mode; a later one shows the record as the last closing left
    // it. The clock edits show now unless the clock mode is Off.
    void Open(const ClockTime& now);
    // The clock's one-second tick: in Auto mode the edits follow the computer's time.
    void Tick(const ClockTime& now);

    // A list's item chosen. A switch enables or disables its inputs; the clock mode goes into the
    // record at once and fills the clock edits with now (Off empties them).
    void Choose(MenuList list, int position, const ClockTime& now);
    // Text typed into a clock edit: it keeps its digits only.
    void TypeClockText(ClockEdit edit, const std::string& text);
    // A clock edit losing the focus: its value is held to its bounds (silently; an empty edit
    // shows the minimum), and a day beyond the month's end becomes the month's last day.
    void LeaveClockEdit(ClockEdit edit);
    // "Browse" chose a folder; bytes is its path in the system's code page, or null when that
    // code page cannot spell it.
    CameraSetupBox ChooseSaveFolder(const char* bytes);
    // "Generate": the form goes into the record, which is written and read back.
    CameraSetupBox Generate();
    // "Default": the defaults are shown, then written as Generate writes; the clock edits keep
    // their text.
    CameraSetupBox Default();
    // The close box: the form goes into the record for the next opening; nothing is written.
    void Close();
    // The program starts again on another card: the next opening is the run's first, which
    // reads menu.dat from the save folder.
    void StartRun() { firstOpening_ = true; }

    // The caption, the labels, each list's items, selection and enabling, the clock edits and
    // the save folder (its bytes, in the system's code page).
    const DialogView& View() const { return v_; }
    const MenuData& Record() const { return rec_; }

    // Whether the list's control takes a choice in the state shown.
    bool ListEnabled(MenuList list) const { return form_.listEnabled[static_cast<int>(list)]; }

private:
    // What the form holds, from which the view is made.
    struct Form {
        int selection[MENU_LIST_COUNT]; // -1: no item selected
        bool listEnabled[MENU_LIST_COUNT];
        std::string clockText[CLOCK_EDIT_COUNT]; // year, month, day, hour, minute, second
        bool clockEnabled;
        std::string savePath;
    };

    void MakeView(bool texts);
    void ViewRecord();
    void ViewClock(const ClockTime& now);
    void ApplyEnables();
    void TakeForm();
    bool WriteAndVerify();

    MenuData& rec_;
    SaveClockData& saveClock_;
    Card* card_;
    bool firstOpening_ = true;
    Form form_{};
    DialogView v_;
};

// The texts of the form in the current language.
extern const TextPair kTextDefaultSuccess;
// The labels of the form, {control id, text}; kCameraSetupTextCount of them: the fields' labels
// from the record's field list (MenuFields.h), then the frames, the video length's unit, the save
// path and the buttons.
extern const ControlText* const kCameraSetupTexts;
extern const size_t kCameraSetupTextCount;
// The items of a list in the current language.
std::vector<std::string> MenuListItems(MenuList list);
// The text of a message box, and whether it is a warning (a notice otherwise).
const TextPair& CameraSetupBoxText(CameraSetupBox box);
bool CameraSetupBoxWarns(CameraSetupBox box);

// The clock edits' texts for a moment: the year in four digits, the others in two.
void ClockTimeTexts(const ClockTime& t, std::string (&texts)[CLOCK_EDIT_COUNT]);

// The form's controls: each list's, in the order of MenuList, and each clock edit's, in the order
// of ClockEdit; and back from a control to its list or edit (-1 for any other control).
// Views of the record's field list.
extern const std::array<int, MENU_LIST_COUNT> kMenuListControls;
extern const std::array<int, CLOCK_EDIT_COUNT> kClockEditControls;
int MenuListOfControl(int id);
int ClockEditOfControl(int id);
