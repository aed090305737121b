// Camera Setup: the form that edits the camera menu and writes menu.dat.
#pragma once

#include <windows.h>

// Set at program start; the first opening in a run reads menu.dat (or takes the defaults).
extern bool g_bMenuFirstOpen;

// Runs the Camera Setup dialog modally, without an owner; returns the dialog's result.
int ShowCameraSetup(HINSTANCE instance);
