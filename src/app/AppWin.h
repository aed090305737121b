// The program's windows over its one model. ShowMainSetup runs the window the model has open,
// modally, and the next one when that one ends: the windows follow one another, never nest. Each
// dialog procedure turns a notification into an AppEvent and hands it to Dispatch, which paints
// what the model shows and the message boxes it asks for.
#pragma once

#include "app/AppModel.h"
#include "app/MainSetupModel.h" // g_iCameraModel, IsBasicCameraModel
#include "ui/PaintViewWin.h"

#include <windows.h>

extern HINSTANCE g_hInstance;

// Runs the program's windows from Main Setup on until its close box; returns the last dialog's
// result (0 when the program ended, -1 when a window cannot be made).
int ShowMainSetup(HINSTANCE instance);

// The run's model, over the process-wide records.
AppModel& App();

// dlg is the window the model has open, painted with the open window's view (fitListId's
// drop-down as wide as its longest item). Its first paint is done here, with the boxes of the
// event that opened it.
void WindowOpened(HWND dlg, int fitListId = 0);
// The view painter of the open window: the edits' change notifications that its writes raise
// come while Painter().Painting().
ViewPainter& Painter();
// Hands the event to the model. When the window stays open it is painted, its whole-text
// selection made and the boxes shown in order; when the model opened another window or the
// program ended, dlg ends (the next window shows the boxes as it opens). An event of a window
// that is ending is dropped.
void Dispatch(HWND dlg, const AppEvent& event);
// A list's notification, as the list answers: its choice, the selection it shows, or nothing.
void DispatchList(HWND dlg, int id, int code);
// Generate reads the clock once: the moment the window traced is the one the model takes.
void DispatchAt(HWND dlg, const AppEvent& event, const ClockTime& now);

// The dialog procedures of the four windows.
INT_PTR CALLBACK MainSetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ParamPageProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SendPageProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CameraSetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
