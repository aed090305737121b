// Rules of the 3G Send Settings page that need no window: the coordinate limits.
#pragma once

#include <cstdint>

enum class CoordinateAxis { Longitude, Latitude };

// Degrees may reach 180 (longitude) or 90 (latitude) only while minutes and seconds are 0.
uint16_t CoordinateDegreeMaximum(CoordinateAxis axis, long minutes, long seconds);
// Minutes and seconds must stay 0 while the degrees are exactly 180 (or 90).
uint16_t CoordinateMinuteMaximum(CoordinateAxis axis, long degrees);

struct SendSet;

// What the page sets in the record when it opens, before it shows it: MMS carries thumbnails
// only; a daily hour above 23 (24: none) shows as the first hour; the remote switch follows the
// interval, and with 3G closed remote control is off.
void PrepareSendPageRecord(SendSet& rec);
// Remote control needs 3G: with "Close 3G" the remote switch is off, whatever the interval.
bool RemoteControlPossible(int sendBy);

// The controls the record's send method and remote control enable.
struct SendPageState {
    bool bPhones;           // the two phone number edits (MMS)
    bool bEmails;           // the two e-mail address edits (MMS, Email)
    bool bImageSizeEnabled; // the send image size list
    bool bCoordinates;      // the coordinate inputs, shown for the cloud layout
    bool bSending;          // image size, maximum, send mode, daily time and remote interval
    bool bDailyTime;        // the daily send time list
    bool bRemoteDetails;    // remote phone and the command-22 box
    bool bRemoteEmail;      // the remote e-mail edit
    int iRemoteIntervalItem;
};
// cloudLayout: page 1's FTP group shows the cloud fields; basicModel: rows 1 and 3 of the model
// list, which send thumbnails only.
SendPageState SendPageStateOf(const SendSet& rec, bool cloudLayout, bool basicModel,
                              bool noRemoteCmd22);

// The page's answers to a choice made while it is open (the same rules as at opening):
// "Daily Send" (item 1) enables the daily send time list; any remote interval but "Remote Off"
// (item 0) enables the remote phone and the command-22 box; the remote e-mail edit needs those
// and the command-22 box clear.
bool DailyTimeEnabledFor(int sendModeItem);
bool RemoteDetailsEnabledFor(int remoteIntervalItem);
bool RemoteEmailEnabledFor(bool remoteDetails, bool noRemoteCmd22);
