// The fields of the two camera records by name, for the command-line companion: where each lives
// in its record, its limits, the list texts a value may be given by and the meaning of a stored
// value in words. The records, their field lists (kSendSetFields, kMenuFields), defaults, presets
// and files belong to the core; the fields here are made from those lists.
#pragma once

#include "common/FieldKinds.h"
#include "menu/MenuData.h"
#include "sendset/SendSet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class CamFileType { Cfg, Menu };

// One record of either kind, plain (decoded).
struct CamRecord {
    CamFileType type = CamFileType::Cfg;
    SendSet cfg{};
    MenuData menu{};

    uint8_t* Bytes();
    const uint8_t* Bytes() const;
};

// An item of a field's list: the stored value and its texts in English and Chinese.
struct FieldItem {
    long value;
    std::string english;
    std::string chinese;
};

enum class FieldKind { Number, Text };

struct FieldInfo {
    std::string name;
    FieldKind kind = FieldKind::Number;
    size_t offset = 0;
    size_t width = 1; // numbers: 1, 2 or 4 bytes (4 is signed); texts: the field's capacity
    long minValue = 0;
    long maxValue = 255;
    int maxChars = 0;                  // texts: longest text the camera takes
    const char* allowed = nullptr;     // texts: the only characters allowed, or any printable
    const char* fixedReason = nullptr; // shown but never set by name, and why
    const char* unit = nullptr;        // words after the number in its meaning
    FieldRule rule = FieldRule::Plain;
    std::vector<FieldItem> items;
    int index = -1;                   // element of an array field (szRecp[2] is 2), -1 otherwise
    FieldPage page = FieldPage::None; // the window that edits it, with its control
    int control = 0;
    bool choice = false; // the control is a list (an edit otherwise)
};

// Every field of a record kind, in record order.
const std::vector<FieldInfo>& FieldsOf(CamFileType type);

// A field by name, ignoring case; "country" and "operator" name byOperatorCountry and byOperator.
// Null when there is none.
const FieldInfo* FindField(CamFileType type, const std::string& name);

// Stored values.
long GetNumber(const CamRecord& rec, const FieldInfo& field);
void SetNumber(CamRecord& rec, const FieldInfo& field, long value);
// The text up to its terminator, never past the field's capacity.
std::string GetText(const CamRecord& rec, const FieldInfo& field);
void SetText(CamRecord& rec, const FieldInfo& field, const std::string& text);

// The items of a field's list; for byOperator those of the record's country.
std::vector<FieldItem> ItemsOf(const CamRecord& rec, const FieldInfo& field);

// The stored value's meaning in words ("Email", "30 seconds", "10 s"); empty when the number
// says it all.
std::string DescribeValue(const CamRecord& rec, const FieldInfo& field);

// The repairs the program makes where it reads a file of the record's kind: CFG.BIN's reader, and
// Camera Setup at its first opening for menu.dat. True when one of them changed the record.
bool RepairAsRead(CamRecord& rec);

// A number field that the program reads as another value than the one stored.
struct ReadDifference {
    const FieldInfo* field;
    long stored;
    long readAs;
};
// The fields in which read (the record as the program reads it) differs from stored.
std::vector<ReadDifference> ReadDifferences(const CamRecord& stored, const CamRecord& read);

// Reads a value given on the command line for a number field: a plain number is the stored value,
// anything else a text of the field's list. False with a message naming the field and what it
// takes when the text is neither or the value lies outside the field's range.
bool ParseNumber(const CamRecord& rec, const FieldInfo& field, const std::string& text, long* value,
                 std::string* error);

// Checks a text for a text field: its length against the field's limit and its characters.
bool CheckText(const FieldInfo& field, const std::string& text, std::string* error);

// Lower case, no blanks, no leading zeros in numbers: "01 Hours" and "1 hours" compare equal.
std::string NormalizeListText(const std::string& text);
