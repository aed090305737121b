// The decision behind "Generate": the checks a send-settings record must pass before CFG.BIN is
// written, and the fields Generate fills in. Shared by the 3G Send Settings page and the
// command-line companion.
#pragma once

#include "lang/Texts.h"
#include "sendset/SendSet.h"

#include <cstddef>

constexpr int GENERATE_MESSAGE_COUNT = 20;
constexpr int REMOTE_INTERVAL_ITEMS = 26; // "Remote Off", "10 Minutes", "01 Hours" .. "24 Hours"
extern const char kGenerateFileName[];    // "DCIM\\100IMA3G\\IMAG0001.JPG"

// Local date and time, calendar values (year in full, month 1..12).
struct GenerateClock {
    int iYear;
    int iMonth;
    int iDay;
    int iHour;
    int iMinute;
    int iSecond;
};

// What Generate reads from the page besides the record itself.
struct GenerateControls {
    GenerateClock sNow;      // the moment of the command, stamped into the record
    int iRemoteIntervalItem; // remote interval list: 0 off, 1 ten minutes, n >= 2 n - 1 hours
    bool bNoRemoteCmd22;     // "Do not use remote command - 22" is checked
    Coordinate sLongitude;   // the coordinate inputs, taken only for cloud sending
    Coordinate sLatitude;
    int iSendModeItem;    // 3G send mode list: 0 immediately, 1 daily
    int iSendImgSizeItem; // send image size list: 0 full image, 1 thumbnail
};

// The e-mail rule: somewhere after an "@" there is a ".". Scans at most maxLen bytes and stops
// at a terminator; an empty text is invalid.
bool IsValidEmailText(const char* text, size_t maxLen);

// The time stamp bytes: the year counts from 2000 (from 1900 before 2000), kept in 8 bits.
SendTime MakeSendTime(const GenerateClock& now);
SendSetClock ClockOfSendTime(const SendTime& t);
// The year a time stamp stands for, as the camera reads it: counted from 2000.
inline int SendTimeYear(const SendTime& t) {
    return 2000 + t.byYear;
}

// Remote interval list item for a stored interval (0..24 give item interval + 1, else 0), and
// back: the interval and switch the item stands for.
int RemoteIntervalItem(uint8_t byRemoteInterval);
// The send mode and image size lists' items for stored values: 1 is item 1, anything else 0.
int SendModeItem(uint8_t bySendMode);
int SendImageSizeItem(uint8_t bySendImgSize);
void ApplyRemoteIntervalItem(SendSet& rec, int item);

// Stamps the time, runs the checks in their order and fills in what Generate stores. Returns 0
// when every check passes (the record is then ready to be written) or the number 1..20 of the
// first failing message; what the steps before the failure stored stays in rec.
int CheckSendSet(SendSet& rec, const GenerateControls& controls);

// What a successful Generate stores besides the time stamp and the pages' entries: the remote
// interval and switch (unless 3G is closed), no file count and the one file name, the cloud's
// coordinates, the send mode (with no daily hour for "Send Immediately") and the image size.
// CheckSendSet stores the same on success; callers that write a record without the page use this.
void StoreGenerateFields(SendSet& rec, const GenerateControls& controls);

// The warning of message n (1..20).
const TextPair& GenerateMessage(int n);

// The controls as the page would show a stored record: the command-line companion runs the
// same checks on a CFG.BIN with these.
GenerateControls ControlsForRecord(const SendSet& rec, const GenerateClock& now,
                                   bool noRemoteCmd22);
