#include "menu/CameraSetupRules.h"

#include <iterator>

namespace {

constexpr uint8_t kIntervalSeconds = 0x80;
constexpr uint8_t kIntervalCountMask = 0x7F;
constexpr uint8_t kDefaultVideoLen = 9; // 10 s

#define AT(member) offsetof(MenuData, member)

} // namespace

const MenuListField kMenuListFields[MENU_LIST_COUNT] = {
    {MenuList::CapMode, "CapMode", OptionList::CaptureMode, AT(CapMode)},
    {MenuList::ImgSize, "ImgSize", OptionList::PictureSize, AT(ImgSize)},
    {MenuList::VideoSize, "VideoSize", OptionList::VideoSize, AT(VideoSize)},
    {MenuList::PicNum, "PicNum", OptionList::PictureNumber, AT(PicNum)},
    {MenuList::TimeStamp, "TimeStamp", OptionList::OnOff, AT(TimeStamp)},
    {MenuList::SenseLevel, "SenseLevel", OptionList::SenseLevel, AT(SenseLevel)},
    {MenuList::SidePir, "SidePir", OptionList::OffOn, AT(SidePir)},
    {MenuList::VideoLen, "VideoLen", OptionList::VideoLength, AT(VideoLen)},
    {MenuList::IntervalCount, "Interval", OptionList::IntervalCount, AT(Interval)},
    {MenuList::IntervalUnit, "Interval", OptionList::IntervalUnit, AT(Interval)},
    {MenuList::DateFormat, "DateFormat", OptionList::DateFormat, AT(DateFormat)},
    {MenuList::BeepSound, "BeepSound", OptionList::OffOn, AT(BeepSound)},
    {MenuList::SdCycle, "SdCycle", OptionList::OffOn, AT(SdCycle)},
    {MenuList::Language, "Language", OptionList::CameraLanguage, AT(Language)},
    {MenuList::ClockMode, "ClockMode", OptionList::ClockMode, AT(ClockMode)},
    {MenuList::Timer1On, "Timer1On", OptionList::OffOn, AT(Timer1On)},
    {MenuList::Timer1StartHour, "Timer1StartHour", OptionList::Hour, AT(Timer1StartHour)},
    {MenuList::Timer1StartMin, "Timer1StartMin", OptionList::Minute, AT(Timer1StartMin)},
    {MenuList::Timer1EndHour, "Timer1EndHour", OptionList::Hour, AT(Timer1EndHour)},
    {MenuList::Timer1EndMin, "Timer1EndMin", OptionList::Minute, AT(Timer1EndMin)},
    {MenuList::Timer2On, "Timer2On", OptionList::OffOn, AT(Timer2On)},
    {MenuList::Timer2StartHour, "Timer2StartHour", OptionList::Hour, AT(Timer2StartHour)},
    {MenuList::Timer2StartMin, "Timer2StartMin", OptionList::Minute, AT(Timer2StartMin)},
    {MenuList::Timer2EndHour, "Timer2EndHour", OptionList::Hour, AT(Timer2EndHour)},
    {MenuList::Timer2EndMin, "Timer2EndMin", OptionList::Minute, AT(Timer2EndMin)},
    {MenuList::SerialOn, "SerialOn", OptionList::OffOn, AT(SerialOn)},
    {MenuList::Serial1, "Serial[0]", OptionList::SerialChar, AT(Serial) + 0},
    {MenuList::Serial2, "Serial[1]", OptionList::SerialChar, AT(Serial) + 1},
    {MenuList::Serial3, "Serial[2]", OptionList::SerialChar, AT(Serial) + 2},
    {MenuList::Serial4, "Serial[3]", OptionList::SerialChar, AT(Serial) + 3},
    {MenuList::TimeLapse, "TimeLapse", OptionList::OnOff, AT(TimeLapse)},
    {MenuList::TimeLapseHour, "TimeLapseHour", OptionList::Hour, AT(TimeLapseHour)},
    {MenuList::TimeLapseMin, "TimeLapseMin", OptionList::Minute, AT(TimeLapseMin)},
    {MenuList::TimeLapseSec, "TimeLapseSec", OptionList::Minute, AT(TimeLapseSec)},
};

#undef AT

const MenuEnableRule kMenuEnableRules[5] = {
    {MenuList::ClockMode, CLOCK_MODE_INPUT},
    {MenuList::Timer1On, 1},
    {MenuList::Timer2On, 1},
    {MenuList::SerialOn, 1},
    {MenuList::TimeLapse, 0},
};

namespace {

const uint8_t& ByteOf(const MenuData& rec, const MenuListField& f) {
    return reinterpret_cast<const uint8_t*>(&rec)[f.offset];
}

uint8_t& ByteOf(MenuData& rec, const MenuListField& f) {
    return reinterpret_cast<uint8_t*>(&rec)[f.offset];
}

int InList(const MenuListField& f, int position) {
    return position >= 0 && position < OptionCount(f.items) ? position : -1;
}

} // namespace

int MenuListPosition(const MenuData& rec, MenuList list) {
    const MenuListField& f = kMenuListFields[static_cast<int>(list)];
    const uint8_t value = ByteOf(rec, f);
    switch (list) {
    case MenuList::IntervalCount:
        return InList(f, value & kIntervalCountMask);
    case MenuList::IntervalUnit:
        return (value & kIntervalSeconds) ? 0 : 1;
    case MenuList::Language:
        return value == 0 ? 0 : InList(f, value - 1); // 0 is shown as the first language
    default:
        return InList(f, value);
    }
}

MenuSelections MenuSelectionsOf(const MenuData& rec) {
    MenuSelections s;
    for (int k = 0; k < MENU_LIST_COUNT; ++k)
        s.position[k] = MenuListPosition(rec, static_cast<MenuList>(k));
    return s;
}

void TakeMenuSelections(const MenuSelections& s, MenuData& rec) {
    for (const MenuListField& f : kMenuListFields) {
        const int position = s.position[static_cast<int>(f.list)];
        switch (f.list) {
        case MenuList::IntervalCount:
            ByteOf(rec, f) = static_cast<uint8_t>(position);
            break;
        case MenuList::IntervalUnit: // after the count, which it shares a byte with
            if (position == 0)
                ByteOf(rec, f) |= kIntervalSeconds;
            break;
        case MenuList::Language:
            ByteOf(rec, f) = static_cast<uint8_t>(position + 1);
            break;
        default:
            ByteOf(rec, f) = static_cast<uint8_t>(position);
            break;
        }
    }
}

int MenuEnableRuleOf(MenuList list) {
    if (list >= MenuList::Timer1StartHour && list <= MenuList::Timer1EndMin)
        return 1;
    if (list >= MenuList::Timer2StartHour && list <= MenuList::Timer2EndMin)
        return 2;
    if (list >= MenuList::Serial1 && list <= MenuList::Serial4)
        return 3;
    if (list >= MenuList::TimeLapseHour && list <= MenuList::TimeLapseSec)
        return 4;
    return -1;
}

bool MenuInputsEnabled(const MenuEnableRule& rule, int position) {
    return position == rule.onPosition;
}

bool RepairMenuAsRead(MenuData& rec) {
    bool changed = false;
    if (rec.VideoLen >= OptionCount(OptionList::VideoLength)) {
        rec.VideoLen = kDefaultVideoLen;
        changed = true;
    }
    if (rec.Language == 0) {
        rec.Language = 1;
        changed = true;
    }
    return changed;
}

void StartMenuAtFirstOpening(bool fileRead, MenuData& rec) {
    if (fileRead)
        RepairMenuAsRead(rec);
    else
        LoadMenuDefaults(rec);
    rec.ClockMode = CLOCK_MODE_AUTO;
}
