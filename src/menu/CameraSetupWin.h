// Camera Setup: the form that edits the camera menu and writes menu.dat.
#pragma once

#include <windows.h>

// Runs the Camera Setup dialog modally, without an owner; returns the dialog's result.
int ShowCameraSetup(HINSTANCE instance);
