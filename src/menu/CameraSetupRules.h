// Rules of the Camera Setup form that need no window: which record field each list shows, how a
// stored value maps to a list position and back, which switch enables which inputs, and the
// repairs made to a menu.dat the form reads. The dialog and camfile both apply them.
#pragma once

#include "lang/OptionLists.h"
#include "menu/MenuData.h"

#include <array>
#include <cstddef>

// ClockMode: how the clock fields are filled.
enum ClockModeValue : uint8_t {
    CLOCK_MODE_AUTO = 0,  // the computer's time, shown live and taken when the file is written
    CLOCK_MODE_INPUT = 1, // typed by the user, starting from the computer's time
    CLOCK_MODE_OFF = 2,   // not maintained: the clock edits stay empty
};

// Whether the clock edits show the computer's time in a mode (Off leaves them empty).
inline bool ClockShowsLocalTime(int mode) {
    return mode != CLOCK_MODE_OFF;
}

// The form's lists, in the order the form takes them into the record.
enum class MenuList {
    CapMode,
    ImgSize,
    VideoSize,
    PicNum,
    TimeStamp,
    SenseLevel,
    SidePir,
    VideoLen,
    IntervalCount, // bits 0..6 of Interval
    IntervalUnit,  // bit 7 of Interval: set when "Sec" (position 0) is chosen
    DateFormat,
    BeepSound,
    SdCycle,
    Language, // position plus one
    ClockMode,
    Timer1On,
    Timer1StartHour,
    Timer1StartMin,
    Timer1EndHour,
    Timer1EndMin,
    Timer2On,
    Timer2StartHour,
    Timer2StartMin,
    Timer2EndHour,
    Timer2EndMin,
    SerialOn,
    Serial1,
    Serial2,
    Serial3,
    Serial4,
    TimeLapse,
    TimeLapseHour,
    TimeLapseMin,
    TimeLapseSec,
};

constexpr int MENU_LIST_COUNT = static_cast<int>(MenuList::TimeLapseSec) + 1;

// The items a list shows and the record byte it edits.
struct MenuListField {
    MenuList list;
    const char* field; // the record's name of the byte: "CapMode", "Serial[0]"
    OptionList items;
    size_t offset; // of the byte in MenuData
};

// All lists, in the order of MenuList: a view of the record's field list (MenuFields.h).
extern const std::array<MenuListField, MENU_LIST_COUNT> kMenuListFields;

// The position a list selects for a record; -1 leaves it without a selection (a value outside
// the list's items). Showing a record never changes it.
int MenuListPosition(const MenuData& rec, MenuList list);

// Every list's selection for a record, in the order of MenuList.
struct MenuSelections {
    int position[MENU_LIST_COUNT];
};
MenuSelections MenuSelectionsOf(const MenuData& rec);

// Takes the selections into the record: each list's byte is its position (no selection, -1,
// stored as 0xFF), Interval the count with bit 7 for seconds, Language the position plus one.
// The clock fields and Tail are left alone.
void TakeMenuSelections(const MenuSelections& selections, MenuData& rec);

// Interval's byte: the count in bits 0..6, an item of IntervalCount (0 to 60), and bit 7 set for
// seconds (clear for minutes).
constexpr uint8_t INTERVAL_SECONDS = 0x80;
constexpr uint8_t INTERVAL_COUNT_MASK = 0x7F;
int IntervalCountMaximum();

// VideoLen stores the VideoLength list's position, the length in seconds less one (1 to 60 s).
inline int VideoLengthSeconds(int videoLen) {
    return videoLen + 1;
}
inline int VideoLenOfSeconds(int seconds) {
    return seconds - 1;
}
int VideoLengthMaximumSeconds();

// A switch and the inputs it enables while it stands at one position.
struct MenuEnableRule {
    MenuList switchList;
    int onPosition;
};
// Clock mode "Input", Timer1 "On", Timer2 "On", Serial Number "On", Time Lapse "On".
extern const MenuEnableRule kMenuEnableRules[5];

// The rule of kMenuEnableRules whose switch enables a list, or -1 for a list always enabled. The
// clock edits follow rule MENU_CLOCK_RULE.
int MenuEnableRuleOf(MenuList list);
constexpr int MENU_CLOCK_RULE = 0;

// Whether a switch at a position enables its inputs.
bool MenuInputsEnabled(const MenuEnableRule& rule, int position);

// A menu.dat read at the form's first opening: a video length above 60 s becomes 10 s, and a menu
// language of 0 becomes the first language (Chinese). Returns true when something changed.
bool RepairMenuAsRead(MenuData& rec);

// The record the form starts from at its first opening in a run: the file's menu (repaired) when
// it could be read, the defaults otherwise; in both cases the clock in Auto mode.
void StartMenuAtFirstOpening(bool fileRead, MenuData& rec);
