#include "CamFields.h"

#include "lang/OptionLists.h"
#include "menu/CameraSetupRules.h"
#include "menu/MenuFields.h"
#include "menu/ClockRules.h"
#include "sendset/FileIo.h"
#include "sendset/OperatorPresets.h"
#include "sendset/SendSetFields.h"
#include "wizard/GenerateChecks.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

uint8_t* CamRecord::Bytes() {
    return type == CamFileType::Cfg ? reinterpret_cast<uint8_t*>(&cfg)
                                    : reinterpret_cast<uint8_t*>(&menu);
}

const uint8_t* CamRecord::Bytes() const {
    return type == CamFileType::Cfg ? reinterpret_cast<const uint8_t*>(&cfg)
                                    : reinterpret_cast<const uint8_t*>(&menu);
}

namespace {

FieldInfo Number(const std::string& name, size_t offset, size_t width, long lo, long hi) {
    FieldInfo f;
    f.name = name;
    f.offset = offset;
    f.width = width;
    f.minValue = lo;
    f.maxValue = hi;
    return f;
}

// The items of a form's list with their stored values: first, first + 1, ...
std::vector<FieldItem> ItemsOfList(OptionList list, long first = 0) {
    std::vector<FieldItem> items;
    for (int k = 0; k < OptionCount(list); ++k) {
        items.push_back({first + k, OptionText(list, k, UI_LANG_ENGLISH),
                         OptionText(list, k, UI_LANG_CHINESE)});
    }
    return items;
}

FieldInfo Text(const std::string& name, size_t offset, size_t capacity, int maxChars,
               const char* allowed = nullptr) {
    FieldInfo f;
    f.name = name;
    f.kind = FieldKind::Text;
    f.offset = offset;
    f.width = capacity;
    f.maxChars = maxChars;
    f.allowed = allowed;
    return f;
}

std::vector<FieldItem> CountryItems() {
    std::vector<FieldItem> items;
    for (int i = 0; i < PRESET_COUNTRY_COUNT; ++i)
        items.push_back({i, CountryNameTable[i].text[1], CountryNameTable[i].text[0]});
    // Manual input by the lists' own item, or by the parameter mode that chooses it.
    items.push_back({OPERATOR_COUNTRY_MANUAL, kTextOthers.text[1], kTextOthers.text[0]});
    items.push_back({OPERATOR_COUNTRY_MANUAL, OptionText(OptionList::ParamMode, 1, UI_LANG_ENGLISH),
                     OptionText(OptionList::ParamMode, 1, UI_LANG_CHINESE)});
    return items;
}

std::vector<FieldItem> RemoteIntervalItems() {
    std::vector<FieldItem> items = ItemsOfList(OptionList::RemoteInterval);
    for (FieldItem& item : items) {
        SendSet rec{};
        ApplyRemoteIntervalItem(rec, static_cast<int>(item.value));
        item.value = rec.byRemoteInterval;
    }
    return items;
}

// A field of CFG.BIN as the core's field list has it.
FieldInfo SendSetFieldInfo(const SendSetField& row) {
    FieldInfo f;
    if (row.text) {
        f = Text(row.name, row.offset, row.size, static_cast<int>(row.maxValue), row.allowed);
    } else {
        f = Number(row.name, row.offset, row.size, row.minValue, SendSetFieldMaximum(row));
    }
    f.fixedReason = row.fixedReason;
    f.unit = row.unit;
    f.rule = row.rule;
    f.index = row.index;
    f.page = row.page;
    f.control = row.control;
    f.choice = row.control != 0 && row.editChars == 0;
    switch (row.rule) {
    case FieldRule::Country:
        f.items = CountryItems();
        break;
    case FieldRule::RemoteInterval:
        f.items = RemoteIntervalItems();
        break;
    default:
        if (row.listed)
            f.items = ItemsOfList(row.list);
        break;
    }
    if (row.pastList != nullptr)
        f.items.push_back({row.maxValue, row.pastList->text[1], row.pastList->text[0]});
    return f;
}

std::vector<FieldInfo> MakeSendSetFields() {
    std::vector<FieldInfo> f;
    for (const SendSetField& row : kSendSetFields)
        f.push_back(SendSetFieldInfo(row));
    return f;
}

// A list of plain numbers, given by the number alone: only its range is kept.
bool NumbersOnly(OptionList list) {
    return list == OptionList::VideoLength || list == OptionList::IntervalCount ||
           list == OptionList::Hour || list == OptionList::Minute;
}

// A field of menu.dat as the core's field list has it.
FieldInfo MenuFieldInfo(const MenuField& row) {
    FieldInfo f = Number(row.name, row.offset, row.size, row.minValue, MenuFieldMaximum(row));
    f.fixedReason = row.fixedReason;
    f.unit = row.unit;
    f.rule = row.rule;
    f.index = row.index;
    f.page = row.control != 0 ? FieldPage::CameraSetup : FieldPage::None;
    f.control = row.control;
    f.choice = row.listed;
    if (row.listed && row.rule != FieldRule::Interval && !NumbersOnly(row.list))
        f.items = ItemsOfList(row.list, row.minValue);
    return f;
}

// The menu's fields in record order; Interval's two lists share one field.
std::vector<FieldInfo> MakeMenuFields() {
    std::vector<FieldInfo> f;
    for (const MenuField& row : kMenuFields) {
        if (!row.sharesByte)
            f.push_back(MenuFieldInfo(row));
    }
    return f;
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b) {
    return EqualsIgnoringCase(a.data(), a.size(), b.data(), b.size());
}

// A plain number: decimal with an optional sign, or hexadecimal after "0x".
bool ParsePlainNumber(const std::string& text, long* value) {
    if (text.empty() || text.size() > 12)
        return false;
    size_t start = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    int base = 10;
    if (start == 0 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    }
    if (start >= text.size())
        return false;
    for (size_t i = start; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (base == 10 ? !isdigit(c) : !isxdigit(c))
            return false;
    }
    errno = 0;
    const long long v = strtoll(text.c_str(), nullptr, base);
    // No field holds more than 32 bits. Checked here in 64 bits, so that 2^32 + 21 is refused
    // where long has 32 bits (Windows) as it is elsewhere, instead of being cut to 21.
    if (errno != 0 || v < INT32_MIN || v > INT32_MAX)
        return false;
    *value = static_cast<long>(v);
    return true;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return "";
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// "30s", "30 sec", "5 min", "5分钟": the count and whether the unit is seconds.
bool ParseIntervalText(const std::string& text, long* count, bool* seconds) {
    std::string norm = NormalizeListText(text);
    size_t digits = 0;
    while (digits < norm.size() && isdigit(static_cast<unsigned char>(norm[digits])))
        ++digits;
    if (digits == 0 || digits > 3)
        return false;
    std::string unit = norm.substr(digits);
    *count = atol(norm.substr(0, digits).c_str());
    for (const char* s : {"s", "sec", "secs", "second", "seconds", "秒", "秒钟"}) {
        if (unit == s) {
            *seconds = true;
            return true;
        }
    }
    for (const char* m : {"m", "min", "mins", "minute", "minutes", "分", "分钟"}) {
        if (unit == m) {
            *seconds = false;
            return true;
        }
    }
    return false;
}

// "10s", "10 sec", "10秒钟": a video length in seconds.
bool ParseSecondsText(const std::string& text, long* seconds) {
    long count = 0;
    bool inSeconds = false;
    if (!ParseIntervalText(text, &count, &inSeconds) || !inSeconds)
        return false;
    *seconds = count;
    return true;
}

std::string ItemList(const std::vector<FieldItem>& items) {
    std::string list;
    for (size_t i = 0; i < items.size() && i < 30; ++i) {
        if (i > 0)
            list += ", ";
        list += "\"" + items[i].english + "\"";
    }
    if (items.size() > 30)
        list += ", ...";
    return list;
}

// The item of the country and operator lists in manual input: "Others".
std::string ManualText() {
    return kTextOthers.text[1];
}

// The interval counts and video lengths the form's lists offer: "0..60", "1..60".
std::string IntervalCountRange() {
    return "0.." + std::to_string(IntervalCountMaximum());
}

std::string VideoLengthRange() {
    return std::to_string(VideoLengthSeconds(0)) + ".." +
           std::to_string(VideoLengthMaximumSeconds());
}

std::string CountryText(const CamRecord& rec) {
    const int country = rec.cfg.byOperatorCountry;
    return country < PRESET_COUNTRY_COUNT ? CountryNameTable[country].text[1]
                                          : "manual input (country=" + ManualText() + ")";
}

std::string DateTimeText(int year, int month, int day, int hour, int minute, int second) {
    char buf[64];
    snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute,
             second);
    return buf;
}

std::string RangeText(const FieldInfo& field) {
    return std::to_string(field.minValue) + ".." + std::to_string(field.maxValue);
}

} // namespace

const std::vector<FieldInfo>& FieldsOf(CamFileType type) {
    static const std::vector<FieldInfo> cfg = MakeSendSetFields();
    static const std::vector<FieldInfo> menu = MakeMenuFields();
    return type == CamFileType::Cfg ? cfg : menu;
}

const FieldInfo* FindField(CamFileType type, const std::string& name) {
    std::string wanted = name;
    if (type == CamFileType::Cfg && EqualsIgnoreCase(name, "country"))
        wanted = "byOperatorCountry";
    if (type == CamFileType::Cfg && EqualsIgnoreCase(name, "operator"))
        wanted = "byOperator";
    for (const FieldInfo& f : FieldsOf(type)) {
        if (EqualsIgnoreCase(f.name, wanted))
            return &f;
    }
    return nullptr;
}

long GetNumber(const CamRecord& rec, const FieldInfo& field) {
    const uint8_t* p = rec.Bytes() + field.offset;
    // Little-endian in the file and in the record.
    uint32_t v = 0;
    for (size_t i = 0; i < field.width && i < 4; ++i)
        v |= static_cast<uint32_t>(p[i]) << (8 * i);
    if (field.width == 4)
        return static_cast<long>(static_cast<int32_t>(v));
    return static_cast<long>(v);
}

void SetNumber(CamRecord& rec, const FieldInfo& field, long value) {
    uint8_t* p = rec.Bytes() + field.offset;
    uint32_t v = static_cast<uint32_t>(value);
    for (size_t i = 0; i < field.width && i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

std::string GetText(const CamRecord& rec, const FieldInfo& field) {
    const char* p = reinterpret_cast<const char*>(rec.Bytes() + field.offset);
    return std::string(p, static_cast<size_t>(FieldLength(p, field.width)));
}

void SetText(CamRecord& rec, const FieldInfo& field, const std::string& text) {
    char* p = reinterpret_cast<char*>(rec.Bytes() + field.offset);
    memset(p, 0, field.width);
    memcpy(p, text.data(), text.size() < field.width ? text.size() : field.width - 1);
}

std::vector<FieldItem> ItemsOf(const CamRecord& rec, const FieldInfo& field) {
    if (field.rule != FieldRule::Operator)
        return field.items;
    std::vector<FieldItem> items;
    int country = rec.cfg.byOperatorCountry;
    if (country >= PRESET_COUNTRY_COUNT) {
        items.push_back({0, kTextOthers.text[1], kTextOthers.text[0]});
        return items;
    }
    const int count = OperatorNameTable[1][country].count & 0xFF;
    for (int k = 0; k < count && k < PRESET_SLOT_COUNT; ++k) {
        items.push_back(
            {k, OperatorNameTable[1][country].names[k], OperatorNameTable[0][country].names[k]});
    }
    return items;
}

std::string DescribeValue(const CamRecord& rec, const FieldInfo& field) {
    if (field.kind == FieldKind::Text)
        return "";
    const long value = GetNumber(rec, field);
    switch (field.rule) {
    case FieldRule::Interval: {
        const int count = value & INTERVAL_COUNT_MASK;
        const bool seconds = (value & INTERVAL_SECONDS) != 0;
        std::string words = std::to_string(count) + (seconds ? " second" : " minute");
        if (count != 1)
            words += "s";
        const int most = IntervalCountMaximum();
        return count > most ? words + " (count above " + std::to_string(most) + ")" : words;
    }
    case FieldRule::VideoLen: {
        const int seconds = VideoLengthSeconds(static_cast<int>(value));
        const int most = VideoLengthMaximumSeconds();
        return std::to_string(seconds) + " s" +
               (seconds > most ? " (above " + std::to_string(most) + " s)" : "");
    }
    case FieldRule::SendStamp: {
        const SendTime& t = rec.cfg.sTime;
        return DateTimeText(SendTimeYear(t), t.byMonth, t.byDay, t.byHour, t.byMinute, t.bySecond);
    }
    case FieldRule::MenuClock:
        if (field.name != "Year")
            break;
        return DateTimeText(rec.menu.Year, rec.menu.Month, rec.menu.Day, rec.menu.Hour,
                            rec.menu.Minute, rec.menu.Second);
    case FieldRule::MenuLanguage:
        if (value == 0) // read as the list's first language
            return OptionText(OptionList::CameraLanguage, 0, UI_LANG_ENGLISH) + " (0 is taken as " +
                   std::to_string(field.minValue) + ")";
        break;
    case FieldRule::Operator:
        if (rec.cfg.byOperatorCountry >= PRESET_COUNTRY_COUNT)
            return ManualText() + " (manual input)";
        break;
    case FieldRule::Country:
        if (value == OPERATOR_COUNTRY_MANUAL)
            return ManualText() + " (manual input)";
        break;
    default:
        break;
    }
    const std::vector<FieldItem> items = ItemsOf(rec, field);
    if (!items.empty()) {
        for (const FieldItem& item : items) {
            if (item.value == value)
                return item.english;
        }
        return "not in the list";
    }
    std::string words;
    if (field.unit != nullptr)
        words = std::to_string(value) + " " + field.unit;
    if (!field.fixedReason && (value < field.minValue || value > field.maxValue))
        words += words.empty() ? "out of range " + RangeText(field)
                               : " (out of range " + RangeText(field) + ")";
    return words;
}

bool RepairAsRead(CamRecord& rec) {
    return rec.type == CamFileType::Cfg ? RepairSendSetAsRead(rec.cfg) : RepairMenuAsRead(rec.menu);
}

std::vector<ReadDifference> ReadDifferences(const CamRecord& stored, const CamRecord& read) {
    std::vector<ReadDifference> out;
    for (const FieldInfo& field : FieldsOf(stored.type)) {
        if (field.kind != FieldKind::Number)
            continue;
        const long before = GetNumber(stored, field);
        const long after = GetNumber(read, field);
        if (before != after)
            out.push_back({&field, before, after});
    }
    return out;
}

bool ParseNumber(const CamRecord& rec, const FieldInfo& field, const std::string& rawText,
                 long* value, std::string* error) {
    const std::string text = Trim(rawText);
    const std::vector<FieldItem> items = ItemsOf(rec, field);
    long v = 0;
    bool found = ParsePlainNumber(text, &v);
    if (!found && field.rule == FieldRule::Interval) {
        long count = 0;
        bool seconds = false;
        if (ParseIntervalText(text, &count, &seconds)) {
            if (count > IntervalCountMaximum()) {
                *error = field.name + ": a count of " + std::to_string(count) +
                         " is out of range " + IntervalCountRange();
                return false;
            }
            v = count | (seconds ? INTERVAL_SECONDS : 0);
            found = true;
        }
    }
    if (!found && field.rule == FieldRule::VideoLen) {
        long seconds = 0;
        if (ParseSecondsText(text, &seconds)) {
            if (seconds < VideoLengthSeconds(0) || seconds > VideoLengthMaximumSeconds()) {
                *error = field.name + ": " + std::to_string(seconds) + " seconds is out of range " +
                         VideoLengthRange() + " seconds";
                return false;
            }
            v = VideoLenOfSeconds(static_cast<int>(seconds));
            found = true;
        }
    }
    if (!found) {
        const std::string norm = NormalizeListText(text);
        for (const FieldItem& item : items) {
            if (!norm.empty() && (norm == NormalizeListText(item.english) ||
                                  norm == NormalizeListText(item.chinese))) {
                v = item.value;
                found = true;
                break;
            }
        }
    }
    if (!found && field.rule == FieldRule::Operator) {
        *error = field.name + ": \"" + text + "\" is not an operator offered for " +
                 CountryText(rec) + "; give 0.." + std::to_string(items.back().value) +
                 " or one of " + ItemList(items);
        return false;
    }
    if (!found) {
        *error = field.name + ": \"" + text + "\" is not a value of this field; give a number " +
                 RangeText(field);
        if (field.rule == FieldRule::Interval)
            *error += ", or a count " + IntervalCountRange() +
                      " with its unit such as \"30s\" or \"5min\"";
        else if (field.rule == FieldRule::VideoLen)
            *error += ", or the length in seconds such as \"10s\"";
        else if (!items.empty())
            *error += ", or one of " + ItemList(items);
        return false;
    }
    if (field.rule == FieldRule::Interval && (v & INTERVAL_COUNT_MASK) > IntervalCountMaximum() &&
        v >= 0 && v <= 255) {
        *error = field.name + ": " + std::to_string(v) + " holds a count of " +
                 std::to_string(v & INTERVAL_COUNT_MASK) + ", out of range " + IntervalCountRange();
        return false;
    }
    if (field.rule == FieldRule::Operator && !items.empty()) {
        long last = items.back().value;
        if (v < 0 || v > last) {
            *error = field.name + ": " + std::to_string(v) + " is out of range 0.." +
                     std::to_string(last) + " (the operators offered for " + CountryText(rec) +
                     ": " + ItemList(items) + ")";
            return false;
        }
    } else if (v < field.minValue || v > field.maxValue) {
        *error = field.name + ": " + std::to_string(v) + " is out of range " + RangeText(field);
        return false;
    }
    *value = v;
    return true;
}

bool CheckText(const FieldInfo& field, const std::string& text, std::string* error) {
    for (unsigned char c : text) {
        if (c < 0x20 || c > 0x7E) {
            *error = field.name + ": only printable ASCII characters can be stored";
            return false;
        }
        if (field.allowed != nullptr && strchr(field.allowed, c) == nullptr) {
            *error = field.name + ": the character '" + std::string(1, static_cast<char>(c)) +
                     "' is not allowed; only \"" + field.allowed + "\"";
            return false;
        }
    }
    if (static_cast<int>(text.size()) > field.maxChars) {
        *error = field.name + ": " + std::to_string(text.size()) + " characters, at most " +
                 std::to_string(field.maxChars) + " fit";
        return false;
    }
    return true;
}

std::string NormalizeListText(const std::string& text) {
    std::string out;
    bool inNumber = false;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ' ' || c == '\t')
            continue;
        const bool digit = isdigit(c) != 0;
        // Drop a leading zero of a number unless the number is just "0".
        if (digit && !inNumber && c == '0' && i + 1 < text.size() &&
            isdigit(static_cast<unsigned char>(text[i + 1]))) {
            continue;
        }
        inNumber = digit;
        out += static_cast<char>(c < 0x80 ? tolower(c) : c);
    }
    return out;
}
