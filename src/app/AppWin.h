// Process-wide state of the application shell and the window openers.
#pragma once

#include "app/MainSetupModel.h" // g_iCameraModel, IsBasicCameraModel

#include <windows.h>

extern HINSTANCE g_hInstance;

// Runs Main Setup modally; returns the dialog's result (0 when closed, -1 when it cannot be made).
int ShowMainSetup(HINSTANCE instance);

// Going back. Opening a window ends the current one and runs the new one from inside the
// handler, so the windows nest (page 2 reads page 1's list, alive and hidden beneath it). Going
// back does not nest deeper: the window ends itself and asks for its target, and the opener of
// the ended window's target runs a fresh one as soon as every window above it has returned. The
// user sees the same windows either way, but a long session no longer piles up ended windows
// until the system refuses to create more.
enum class BackTo { None, MainSetup, ParamPage };

// Ends dlg and asks for a fresh target once the nest has unwound down to the target's opener.
void EndDialogBackTo(HWND dlg, BackTo target);

// Runs a dialog template modally, and again each time a window above it went back to target;
// the last run's result.
int RunBackTarget(HINSTANCE instance, int templateId, DLGPROC proc, BackTo target);
