// Edit filters on a dialog's edit control: the text rules of ui/EditFilter.h applied in place.
#pragma once

#include <windows.h>

#include <cstdint>

// While set, CheckEditRange warns once ("The input is out of range!") before clamping a value
// above the maximum; it clears the flag before the box is shown.
extern int g_bRangeWarn;

// Removes the first character outside allowed (one per call; EN_CHANGE brings the next call)
// and puts the caret where it was.
void FilterEditText(HWND dlg, int id, const char* allowed);
// Keeps the edit's decimal value within minimum..maximum.
void CheckEditRange(HWND dlg, int id, uint16_t minimum, uint16_t maximum);
