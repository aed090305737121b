// Every option list of the forms with its items in both languages: the one home of these texts.
// The windows fill their drop-down lists from here, and camfile lists, parses and describes values
// with the same items. A stored value is the item's position unless the form's rules say
// otherwise (see GenerateChecks.h for the remote interval, CameraSetupRules.h for Camera Setup).
#pragma once

#include "lang/Texts.h"

#include <string>

enum class OptionList {
    // 3G Parameter Settings
    SendOption, // "Close 3G", "MMS", "Email", "FTP", "QOR Camera Cloud System"
    ParamMode,  // "Select Operator", "Manual Input"
    FtpDirType, // "Root", "Specify"
    ApnKind,    // "APN", "CSD", the same in both languages
    // 3G Send Settings
    LongitudeDir,   // "E", "W"
    LatitudeDir,    // "N", "S"
    SendImageSize,  // "Full Image", "Thumbnail"
    SendMode,       // "Send Immediately", "Daily Send"
    DailySendTime,  // "00 o'clock" .. "23 o'clock"
    RemoteInterval, // "Remote Off", "10 Minutes", "01 Hours" .. "24 Hours"
    // Camera Setup
    CaptureMode,    // "Camera", "Video", "Camera+Video"
    PictureSize,    // "12 MP", "5 MP", "2 MP"
    VideoSize,      // "1440x1080", "720P", "VGA"
    PictureNumber,  // "01 Photo", "02 Photos", "03 Photos"
    OnOff,          // "On", "Off": Time Stamp and Time Lapse, where 0 means on
    OffOn,          // "Off", "On": the other switches
    SenseLevel,     // "Normal", "High", "Low", "Off"
    VideoLength,    // "1" .. "60"
    IntervalCount,  // "0" .. "60"
    IntervalUnit,   // "Sec", "Min"
    DateFormat,     // "YYMMDD", "DDMMYY", "MMDDYY"
    CameraLanguage, // "Chinese" .. "Polish", the camera's own menu language
    ClockMode,      // "Auto", "Input", "Off"
    Hour,           // "0" .. "23"
    Minute,         // "0" .. "59", also the time-lapse seconds
    SerialChar,     // "0" .. "9", "A" .. "Z"
};

constexpr int OPTION_LIST_COUNT = static_cast<int>(OptionList::SerialChar) + 1;

// Number of items of a list (the same in both languages).
int OptionCount(OptionList list);

// Item k of a list in a language (UI_LANG_CHINESE or UI_LANG_ENGLISH); empty outside 0..count-1.
std::string OptionText(OptionList list, int item, int language);
// The same in the current language g_iLanguage.
std::string OptionText(OptionList list, int item);

// The single item of the country and operator lists in manual input: "其他" / "Others".
extern const TextPair kTextOthers;

// The value past the daily send time's hours (24): no daily hour, "未设置" / "Not Set".
extern const TextPair kTextNoDailySendTime;
