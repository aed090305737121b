// The camera menu record's fields, one row each in record order: where a field lives, its range,
// the Camera Setup list or clock edit that shows it (its items, control and label) and how camfile
// describes it. Camera Setup's list and control tables, its labels, the clock edits' limits and
// camfile's menu fields are views of this list; a new field is one row here.
#pragma once

#include "common/FieldKinds.h"
#include "lang/OptionLists.h"
#include "lang/Texts.h"
#include "menu/CameraSetupRules.h"
#include "menu/ClockRules.h"
#include "menu/MenuData.h"
#include "res/resource.h"

#include <cstddef>

struct MenuField {
    const char* name = nullptr; // the record's name: "CapMode", "Serial[0]"
    size_t offset = 0;          // in MenuData
    size_t size = 0;
    long minValue = 0;
    long maxValue = 0;   // LAST_LIST_ITEM: minValue plus the list's last position
    bool listed = false; // a list of Camera Setup shows it
    OptionList list = OptionList::CaptureMode;
    MenuList formList = MenuList::CapMode;
    bool sharesByte = false; // a second list on the byte of the row before (Interval's unit)
    int clockEdit = -1;      // a ClockEdit, or -1
    int editChars = 0;       // a clock edit's text limit
    int control = 0;         // the list or edit, 0 for none
    int label = 0;           // the label beside it, 0 for none
    TextPair labelText = {{nullptr, nullptr}};
    FieldRule rule = FieldRule::Plain;
    const char* unit = nullptr;        // words after the number in its meaning ("hours")
    const char* fixedReason = nullptr; // never set by name, and why
    int index = -1;                    // element of an array field (Serial[2] is 2), -1 otherwise
};

namespace menu_fields {

constexpr MenuField Number(const char* name, size_t offset, size_t size, long lo, long hi) {
    return field_rows::Number<MenuField>(name, offset, size, lo, hi);
}
using field_rows::Element;
using field_rows::Rule;
using field_rows::Unit;

// A byte chosen in one of the form's lists: the list's positions, counted from lo.
constexpr MenuField List(const char* name, size_t offset, OptionList items, MenuList formList,
                         int control, long lo = 0) {
    MenuField f = Number(name, offset, 1, lo, LAST_LIST_ITEM);
    f.listed = true;
    f.list = items;
    f.formList = formList;
    f.control = control;
    return f;
}

// A number typed into one of the clock edits.
constexpr MenuField Clock(const char* name, size_t offset, size_t size, ClockEdit edit, int control,
                          long lo, long hi, size_t chars) {
    MenuField f = Number(name, offset, size, lo, hi);
    f.clockEdit = edit;
    f.control = control;
    f.editChars = static_cast<int>(chars);
    f.rule = FieldRule::MenuClock;
    return f;
}

constexpr MenuField Label(MenuField f, int label, TextPair text) {
    f.label = label;
    f.labelText = text;
    return f;
}

// The whole byte's range where a list shows only part of it.
constexpr MenuField UpTo(MenuField f, long hi) {
    f.maxValue = hi;
    return f;
}

constexpr MenuField SharesByte(MenuField f) {
    f.sharesByte = true;
    return f;
}

constexpr MenuField Tail(const char* name, int i) {
    MenuField f = Number(name, offsetof(MenuData, Tail) + static_cast<size_t>(i), 1, 0, 255);
    f.fixedReason = "carried unchanged from the file or the defaults";
    f.index = i;
    return f;
}

constexpr TextPair kHour = {{"小时", "Hour"}};
constexpr TextPair kMin = {{"分钟", "Min"}};
constexpr TextPair kSec = {{"秒钟", "Sec"}};

#define MF_AT(member) offsetof(MenuData, member)

inline constexpr MenuField kMenuFields[] = {
    Label(List("CapMode", MF_AT(CapMode), OptionList::CaptureMode, MenuList::CapMode,
               IDC_CAMERA_MODE),
          IDC_CAMERA_MODE_LABEL, {{"模式", "Mode"}}),
    Label(List("ImgSize", MF_AT(ImgSize), OptionList::PictureSize, MenuList::ImgSize,
               IDC_CAMERA_IMAGE_SIZE),
          IDC_CAMERA_IMAGE_SIZE_LABEL, {{"图像尺寸", "Image Size"}}),
    Label(List("VideoSize", MF_AT(VideoSize), OptionList::VideoSize, MenuList::VideoSize,
               IDC_CAMERA_VIDEO_SIZE),
          IDC_CAMERA_VIDEO_SIZE_LABEL, {{"录像尺寸", "Video Size"}}),
    Label(List("PicNum", MF_AT(PicNum), OptionList::PictureNumber, MenuList::PicNum,
               IDC_CAMERA_PICTURE_NUMBER),
          IDC_CAMERA_PICTURE_NUMBER_LABEL, {{"拍摄张数", "Picture Number"}}),
    Label(List("TimeStamp", MF_AT(TimeStamp), OptionList::OnOff, MenuList::TimeStamp,
               IDC_CAMERA_TIME_STAMP),
          IDC_CAMERA_TIME_STAMP_LABEL, {{"时间戳", "Time Stamp"}}),
    Label(List("SenseLevel", MF_AT(SenseLevel), OptionList::SenseLevel, MenuList::SenseLevel,
               IDC_CAMERA_SENSE_LEVEL),
          IDC_CAMERA_SENSE_LEVEL_LABEL, {{"灵敏度", "Sense Level"}}),
    Label(
        List("SidePir", MF_AT(SidePir), OptionList::OffOn, MenuList::SidePir, IDC_CAMERA_SIDE_PIR),
        IDC_CAMERA_SIDE_PIR_LABEL, {{"侧面PIR", "Side PIR"}}),
    Rule(Label(List("VideoLen", MF_AT(VideoLen), OptionList::VideoLength, MenuList::VideoLen,
                    IDC_CAMERA_VIDEO_LENGTH),
               IDC_CAMERA_VIDEO_LENGTH_LABEL, {{"录像长度", "Video Length"}}),
         FieldRule::VideoLen),
    // One byte, two lists: the count in bits 0..6, the unit in bit 7.
    UpTo(Rule(Label(List("Interval", MF_AT(Interval), OptionList::IntervalCount,
                         MenuList::IntervalCount, IDC_CAMERA_INTERVAL_COUNT),
                    IDC_CAMERA_INTERVAL_LABEL, {{"间隔时间", "Interval"}}),
              FieldRule::Interval),
         255),
    SharesByte(List("Interval", MF_AT(Interval), OptionList::IntervalUnit, MenuList::IntervalUnit,
                    IDC_CAMERA_INTERVAL_UNIT)),
    Label(List("DateFormat", MF_AT(DateFormat), OptionList::DateFormat, MenuList::DateFormat,
               IDC_CAMERA_DATE_FORMAT),
          IDC_CAMERA_DATE_FORMAT_LABEL, {{"日期格式", "Date Format"}}),
    Label(List("BeepSound", MF_AT(BeepSound), OptionList::OffOn, MenuList::BeepSound,
               IDC_CAMERA_BEEP_SOUND),
          IDC_CAMERA_BEEP_SOUND_LABEL, {{"按键音", "Beep Sound"}}),
    Label(
        List("SdCycle", MF_AT(SdCycle), OptionList::OffOn, MenuList::SdCycle, IDC_CAMERA_SD_CYCLE),
        IDC_CAMERA_SD_CYCLE_LABEL, {{"循环存储", "SD Cycle"}}),
    // Stored as the list position plus one.
    Rule(Label(List("Language", MF_AT(Language), OptionList::CameraLanguage, MenuList::Language,
                    IDC_CAMERA_LANGUAGE, 1),
               IDC_CAMERA_LANGUAGE_LABEL, {{"语言", "Language"}}),
         FieldRule::MenuLanguage),
    Label(List("ClockMode", MF_AT(ClockMode), OptionList::ClockMode, MenuList::ClockMode,
               IDC_CAMERA_CLOCK_MODE),
          IDC_CAMERA_CLOCK_LABEL, {{"设置时间", "Set Clock"}}),
    Clock("Year", MF_AT(Year), 2, CLOCK_YEAR, IDC_CAMERA_YEAR, CLOCK_YEAR_MIN, CLOCK_YEAR_MAX,
          CLOCK_YEAR_CHARS),
    Clock("Month", MF_AT(Month), 1, CLOCK_MONTH, IDC_CAMERA_MONTH, 1, 12, CLOCK_FIELD_CHARS),
    Clock("Day", MF_AT(Day), 1, CLOCK_DAY, IDC_CAMERA_DAY, 1, 31, CLOCK_FIELD_CHARS),
    Clock("Hour", MF_AT(Hour), 1, CLOCK_HOUR, IDC_CAMERA_HOUR, 0, 23, CLOCK_FIELD_CHARS),
    Clock("Minute", MF_AT(Minute), 1, CLOCK_MINUTE, IDC_CAMERA_MINUTE, 0, 59, CLOCK_FIELD_CHARS),
    Clock("Second", MF_AT(Second), 1, CLOCK_SECOND, IDC_CAMERA_SECOND, 0, 59, CLOCK_FIELD_CHARS),
    Label(
        List("Timer1On", MF_AT(Timer1On), OptionList::OffOn, MenuList::Timer1On, IDC_CAMERA_TIMER1),
        IDC_CAMERA_TIMER1_LABEL, {{"定时设置1", "Timer1"}}),
    Label(List("Timer1StartHour", MF_AT(Timer1StartHour), OptionList::Hour,
               MenuList::Timer1StartHour, IDC_CAMERA_TIMER1_START_HOUR),
          IDC_CAMERA_TIMER1_START_HOUR_LABEL, kHour),
    Label(List("Timer1StartMin", MF_AT(Timer1StartMin), OptionList::Minute,
               MenuList::Timer1StartMin, IDC_CAMERA_TIMER1_START_MIN),
          IDC_CAMERA_TIMER1_START_MIN_LABEL, kMin),
    Label(List("Timer1EndHour", MF_AT(Timer1EndHour), OptionList::Hour, MenuList::Timer1EndHour,
               IDC_CAMERA_TIMER1_END_HOUR),
          IDC_CAMERA_TIMER1_END_HOUR_LABEL, kHour),
    Label(List("Timer1EndMin", MF_AT(Timer1EndMin), OptionList::Minute, MenuList::Timer1EndMin,
               IDC_CAMERA_TIMER1_END_MIN),
          IDC_CAMERA_TIMER1_END_MIN_LABEL, kMin),
    Label(
        List("Timer2On", MF_AT(Timer2On), OptionList::OffOn, MenuList::Timer2On, IDC_CAMERA_TIMER2),
        IDC_CAMERA_TIMER2_LABEL, {{"定时设置2", "Timer2"}}),
    Label(List("Timer2StartHour", MF_AT(Timer2StartHour), OptionList::Hour,
               MenuList::Timer2StartHour, IDC_CAMERA_TIMER2_START_HOUR),
          IDC_CAMERA_TIMER2_START_HOUR_LABEL, kHour),
    Label(List("Timer2StartMin", MF_AT(Timer2StartMin), OptionList::Minute,
               MenuList::Timer2StartMin, IDC_CAMERA_TIMER2_START_MIN),
          IDC_CAMERA_TIMER2_START_MIN_LABEL, kMin),
    Label(List("Timer2EndHour", MF_AT(Timer2EndHour), OptionList::Hour, MenuList::Timer2EndHour,
               IDC_CAMERA_TIMER2_END_HOUR),
          IDC_CAMERA_TIMER2_END_HOUR_LABEL, kHour),
    Label(List("Timer2EndMin", MF_AT(Timer2EndMin), OptionList::Minute, MenuList::Timer2EndMin,
               IDC_CAMERA_TIMER2_END_MIN),
          IDC_CAMERA_TIMER2_END_MIN_LABEL, kMin),
    Label(
        List("SerialOn", MF_AT(SerialOn), OptionList::OffOn, MenuList::SerialOn, IDC_CAMERA_SERIAL),
        IDC_CAMERA_SERIAL_LABEL, {{"序列号", "Serial Number"}}),
    Element(List("Serial[0]", MF_AT(Serial) + 0, OptionList::SerialChar, MenuList::Serial1,
                 IDC_CAMERA_SERIAL_CHAR1),
            0),
    Element(List("Serial[1]", MF_AT(Serial) + 1, OptionList::SerialChar, MenuList::Serial2,
                 IDC_CAMERA_SERIAL_CHAR2),
            1),
    Element(List("Serial[2]", MF_AT(Serial) + 2, OptionList::SerialChar, MenuList::Serial3,
                 IDC_CAMERA_SERIAL_CHAR3),
            2),
    Element(List("Serial[3]", MF_AT(Serial) + 3, OptionList::SerialChar, MenuList::Serial4,
                 IDC_CAMERA_SERIAL_CHAR4),
            3),
    Label(List("TimeLapse", MF_AT(TimeLapse), OptionList::OnOff, MenuList::TimeLapse,
               IDC_CAMERA_TIME_LAPSE),
          IDC_CAMERA_TIME_LAPSE_LABEL, {{"定时拍摄", "Time Lapse"}}),
    Unit(Label(List("TimeLapseHour", MF_AT(TimeLapseHour), OptionList::Hour,
                    MenuList::TimeLapseHour, IDC_CAMERA_TIME_LAPSE_HOUR),
               IDC_CAMERA_TIME_LAPSE_HOUR_LABEL, kHour),
         "hours"),
    Unit(Label(List("TimeLapseMin", MF_AT(TimeLapseMin), OptionList::Minute, MenuList::TimeLapseMin,
                    IDC_CAMERA_TIME_LAPSE_MIN),
               IDC_CAMERA_TIME_LAPSE_MIN_LABEL, kMin),
         "minutes"),
    Unit(Label(List("TimeLapseSec", MF_AT(TimeLapseSec), OptionList::Minute, MenuList::TimeLapseSec,
                    IDC_CAMERA_TIME_LAPSE_SEC),
               IDC_CAMERA_TIME_LAPSE_SEC_LABEL, kSec),
         "seconds"),
    Tail("Tail[0]", 0),
    Tail("Tail[1]", 1),
    Tail("Tail[2]", 2),
    Tail("Tail[3]", 3),
};

#undef MF_AT

} // namespace menu_fields

using menu_fields::kMenuFields;

// The largest value of a field: its maxValue, or its list's last position counted from minValue.
long MenuFieldMaximum(const MenuField& f);
