#include "menu/CameraSetupRules.h"

#include "menu/MenuFields.h"

#include <iterator>

namespace {

constexpr uint8_t kDefaultVideoLen = 9; // 10 s

// Every row inside the record, in record order, none overlapping another but a second list of the
// same byte.
constexpr bool InRecordOrder() {
    size_t start = 0;
    size_t end = 0;
    for (const MenuField& f : kMenuFields) {
        if (f.sharesByte ? f.offset != start || f.offset + f.size != end
                         : f.size == 0 || f.offset < end || f.offset + f.size > sizeof(MenuData))
            return false;
        start = f.offset;
        end = f.offset + f.size;
    }
    return true;
}
static_assert(InRecordOrder(), "kMenuFields: each field inside MenuData, in order, apart");

constexpr size_t CountFormLists() {
    size_t n = 0;
    for (const MenuField& f : kMenuFields)
        n += f.listed ? 1 : 0;
    return n;
}
static_assert(CountFormLists() == MENU_LIST_COUNT, "each list of the form shows one field");

constexpr std::array<MenuListField, MENU_LIST_COUNT> FormLists() {
    std::array<MenuListField, MENU_LIST_COUNT> out{};
    for (const MenuField& f : kMenuFields) {
        if (f.listed)
            out[static_cast<size_t>(f.formList)] = {f.formList, f.name, f.list, f.offset};
    }
    return out;
}

} // namespace

const std::array<MenuListField, MENU_LIST_COUNT> kMenuListFields = FormLists();

long MenuFieldMaximum(const MenuField& f) {
    if (f.maxValue != LAST_LIST_ITEM || !f.listed)
        return f.maxValue;
    return f.minValue + OptionCount(f.list) - 1;
}

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
        return InList(f, value & INTERVAL_COUNT_MASK);
    case MenuList::IntervalUnit:
        return (value & INTERVAL_SECONDS) ? 0 : 1;
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
                ByteOf(rec, f) |= INTERVAL_SECONDS;
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

int IntervalCountMaximum() {
    return OptionCount(OptionList::IntervalCount) - 1;
}

int VideoLengthMaximumSeconds() {
    return VideoLengthSeconds(OptionCount(OptionList::VideoLength) - 1);
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
