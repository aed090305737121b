// The words the two records' field lists describe their fields with: where a field is edited and
// which fields need more than a range and a list to be read, given or described.
#pragma once

#include <cstddef>

// The window that edits a field.
enum class FieldPage {
    None,       // no control shows it: stamped, derived or carried
    Page1,      // 3G Parameter Settings
    Page1Cloud, // 3G Parameter Settings, the FTP group's edits in the cloud layout
    Page2,      // 3G Send Settings
    CameraSetup,
};

// Fields whose value needs more than a range and a list.
enum class FieldRule {
    Plain,
    Country,        // byOperatorCountry: a country name, or "Others" for manual input
    Operator,       // byOperator: a name from the chosen country's operator list
    RemoteInterval, // byRemoteInterval: sets byRemoteSwitch with it
    Recipient,      // szRecp[i]: sets uwRecpLen[i] with it
    Interval,       // MenuData Interval: bit 7 the unit (seconds), bits 0..6 the count
    VideoLen,       // seconds minus one
    MenuLanguage,   // list position plus one; 0 is shown as the first language
    MenuClock,      // Year .. Second of the camera menu
    SendStamp,      // sTime.byYear, described with the whole time stamp
};

// The keyboard a phone shows for a field's edit.
enum class FieldInput { Text, Digits, Phone, Email };

// A range's upper end that is its list's last position.
constexpr long LAST_LIST_ITEM = -1;

// The builders both field lists make their rows with, Field being the list's row type: a number
// field, and a row with its unit, its rule or its element of an array field.
namespace field_rows {

template <typename Field>
constexpr Field Number(const char* name, size_t offset, size_t size, long lo, long hi) {
    Field f{};
    f.name = name;
    f.offset = offset;
    f.size = size;
    f.minValue = lo;
    f.maxValue = hi;
    return f;
}

template <typename Field> constexpr Field Unit(Field f, const char* unit) {
    f.unit = unit;
    return f;
}

template <typename Field> constexpr Field Rule(Field f, FieldRule rule) {
    f.rule = rule;
    return f;
}

template <typename Field> constexpr Field Element(Field f, int index) {
    f.index = index;
    return f;
}

} // namespace field_rows
