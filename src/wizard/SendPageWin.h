// What the 3G Send Settings page and its Generate command share: taking the page's entries into
// a record.
#pragma once

#include "sendset/SendSet.h"
#include "wizard/SendPageRules.h"

#include <windows.h>

// The four recipient edits into szRecp and uwRecpLen (the bytes stored), disabled ones too.
void GetRecipientEdits(HWND page, SendSet& rec);
// The remote phone number and the remote receiving e-mail.
void GetRemoteEdits(HWND page, SendSet& rec);
// A coordinate as the page shows it: the direction list and the three edits, each in one byte.
Coordinate GetCoordinateInputs(HWND page, CoordinateAxis axis, const Coordinate& previous);
// The decimal value of an edit's leading digits, 0 for none.
long GetEditNumber(HWND page, int id);
