// What the two pages of the 3G wizard share.
#pragma once

// Page 2's check box "Do not use remote command - 22"; 0 at start, never stored in a file.
extern int g_bNoRemoteCmd22;

// Layout of page 1's FTP group: 0 FTP fields, 1 cloud fields.
int GetFtpEditUse();

// The selection of page 1's send option list. Page 1's window stays alive, hidden, while page 2
// runs on top of it; Generate reads the send method from there.
int GetParamPageSendOption();
