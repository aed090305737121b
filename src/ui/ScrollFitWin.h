// Keeps a dialog inside the work area of its monitor. A dialog taller than the work area is
// shrunk to fit and gains a vertical scroll bar over its controls (scroll bar, mouse wheel, and
// the keyboard focus bringing the focused control into view); it is fitted again when the DPI,
// the display or the work area changes. A dialog that fits is left exactly as it is.
#pragma once

#include <windows.h>

// Call once at the end of WM_INITDIALOG.
void ScrollFitInit(HWND dlg);

// Call first in the dialog procedure with every message; when it returns true the message was
// handled and the procedure returns TRUE.
bool ScrollFitMessage(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Scrolls the dialog so that its child control (or the child that holds it) shows in full.
void ScrollFitShowControl(HWND dlg, HWND control);
