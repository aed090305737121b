// Process-wide state of the application shell and the window openers.
#pragma once

#include <windows.h>

extern HINSTANCE g_hInstance;
extern bool g_bFirstStart;
extern int g_iCameraModel; // row of the model list; rows 1 and 3 are the basic models

// Runs Main Setup modally; returns the dialog's result (0 when closed, -1 when it cannot be made).
int ShowMainSetup(HINSTANCE instance);

// True for the two "(BASIC)" models, whose wizard fixes the picture size to thumbnail.
inline bool IsBasicCameraModel(int model) {
    return model == 1 || model == 3;
}
