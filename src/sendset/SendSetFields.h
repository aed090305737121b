// What each field of the send-settings record that a user fills in takes: the longest text or the
// range of a number the camera is given, the text limit of the form's edit and the only
// characters allowed. The wizard pages, camfile and the tests read these limits from here.
#pragma once

#include <cstddef>

extern const char kPhoneCharacters[]; // "0123456789+": phone numbers
extern const char kDigitCharacters[]; // "0123456789": ports, counts, the SIM card number

struct SendSetFieldLimit {
    const char* name; // the record's name: "sMmsSet.szPort", "szRecp[2]", "sLongitude.byDeg"
    size_t offset;    // in SendSet
    size_t size;      // bytes of the field (a text's capacity, terminator included)
    bool text;
    int editChars;       // the text limit of the form's edit; 0 when no edit shows the field
    long minValue;       // numbers only
    long maxValue;       // numbers: the largest value; texts: the longest text stored
    const char* allowed; // the only characters allowed, or nullptr for any
};

// Every text field of SendSet, and the numbers typed into edits, in record order.
extern const SendSetFieldLimit kSendSetFieldLimits[];
extern const size_t kSendSetFieldLimitCount;

// The limit of a field by its name; nullptr when the table has none.
const SendSetFieldLimit* FindSendSetFieldLimit(const char* name);

// The text limit of the form's edit for a field by its name; 0 when the table has none.
int EditCharsOf(const char* name);
