// Built-in operator presets: country and operator names in both languages, and per country and
// operator slot the MMS and 3G data network parameters.
#pragma once

#include "lang/Texts.h"
#include "sendset/SendSet.h"

constexpr int PRESET_COUNTRY_COUNT = 43;
constexpr int PRESET_SLOT_COUNT = 10;

extern const TextPair CountryNameTable[PRESET_COUNTRY_COUNT];

struct OperatorNameEntry {
    int count; // operators offered in the list (only the low 8 bits count)
    const char* names[PRESET_SLOT_COUNT];
};
// [language][country]: block 0 Chinese, block 1 English.
extern const OperatorNameEntry OperatorNameTable[2][PRESET_COUNTRY_COUNT];

struct MmsPresetRow {
    const char* url;
    const char* apn;
    const char* gateway;
    const char* port;
    const char* account;
    const char* password;
};
struct Net3GPresetRow {
    const char* apn;
    const char* account;
    const char* password;
};
extern const MmsPresetRow MmsPresetTable[PRESET_COUNTRY_COUNT * PRESET_SLOT_COUNT];
extern const Net3GPresetRow Net3GPresetTable[PRESET_COUNTRY_COUNT * PRESET_SLOT_COUNT];

// Copy the row (country, operator) into the record's sMmsSet / the three 3G network fields of
// sSmtpSet, overwriting every field they cover. A lookup never leaves the tables: an operator
// index outside 0..9 (such as a list's no-selection result) reads slot 0 of the country, and a
// country index outside 0..42 reads country 0.
void LoadMmsPresets(SendSet& rec, long lCountrySel, long lrOperatorIndex);
void Load3GPresets(SendSet& rec, long lCountrySel, long lrOperatorIndex);
// The same on g_sSendSet.
void LoadMmsPresets(long lCountrySel, long lrOperatorIndex);
void Load3GPresets(long lCountrySel, long lrOperatorIndex);
