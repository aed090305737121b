// Camera Setup: one drop-down list per camera menu setting, the clock group, the save folder,
// and "Generate" / "Default", which write menu.dat. The form's model decides; this file paints it
// and turns the window's notifications into its events.
#include "app/AppWin.h"
#include "menu/CameraSetupModel.h"
#include "res/resource.h"
#include "ui/BrowseFolderWin.h"
#include "ui/ScrollFitWin.h"
#include "ui/ControlsWin.h"

#include <cstddef>
#include <string>

namespace {

const UINT_PTR kClockTimerId = 0;
const UINT kClockTimerPeriodMs = 1000;

void CALLBACK ClockTimerProc(HWND dlg, UINT, UINT_PTR, DWORD) {
    Dispatch(dlg, AppEvent{AppEventKind::Tick});
}

// The edit shows what was typed; the form keeps its digits, and the caret stays where the first
// character removed was.
void OnClockTyped(HWND dlg, int id) {
    if (Painter().Painting())
        return;
    const std::string typed = ReadEditBytes(dlg, id, 0);
    Painter().Typed(id, typed);
    Dispatch(dlg, AppEvent{AppEventKind::Type, id, 0, typed});
    const std::string& kept = App().CameraSetup().View().Text(id);
    if (kept == typed)
        return;
    size_t at = 0;
    while (at < kept.size() && kept[at] == typed[at])
        ++at;
    SendDlgItemMessageW(dlg, id, EM_SETSEL, at, at);
}

// The chosen folder becomes the save folder only when it is a file-system folder that the
// system's code page spells in full within the limit; any other is refused with a warning and the
// folder stays as it was.
void OnBrowse(HWND dlg) {
    std::string bytes;
    const FolderPick pick = PickFolder(dlg, &bytes);
    if (pick != FolderPick::Cancelled)
        Dispatch(dlg, AppEvent{AppEventKind::FolderChosen, IDC_CAMERA_BROWSE, 0,
                               pick == FolderPick::Spelled ? bytes : std::string()});
}

void OnCameraSetupCommand(HWND dlg, int id, int code) {
    if (ClockEditOfControl(id) >= 0) {
        if (code == EN_CHANGE)
            OnClockTyped(dlg, id);
        else if (code == EN_KILLFOCUS)
            Dispatch(dlg, AppEvent{AppEventKind::Leave, id});
        return;
    }
    if (MenuListOfControl(id) >= 0) {
        DispatchList(dlg, id, code);
        return;
    }
    switch (id) {
    case IDC_CAMERA_BROWSE:
        OnBrowse(dlg);
        break;
    case IDC_CAMERA_GENERATE:
    case IDC_CAMERA_DEFAULT:
        Dispatch(dlg, AppEvent{AppEventKind::Press, id});
        break;
    default: // Enter (IDOK), Escape (IDCANCEL), the save path edit: nothing
        break;
    }
}

// The template gives the lists no tab stop; the keyboard reaches them all the same.
void AddListTabStops(HWND dlg) {
    for (HWND child = GetWindow(dlg, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (lstrcmpiW(cls, L"ComboBox") == 0)
            SetWindowLongPtrW(child, GWL_STYLE, GetWindowLongPtrW(child, GWL_STYLE) | WS_TABSTOP);
    }
}

void OnInitCameraSetup(HWND dlg) {
    SetSmallIcon(dlg, IDI_WINDOW);
    WindowOpened(dlg);
    AddListTabStops(dlg);
    SetTimer(dlg, kClockTimerId, kClockTimerPeriodMs, ClockTimerProc);
}

} // namespace

INT_PTR CALLBACK CameraSetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ScrollFitMessage(dlg, msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        OnInitCameraSetup(dlg);
        SetFocus(GetDlgItem(dlg, IDC_CAMERA_MODE));
        ScrollFitInit(dlg);
        return FALSE; // the focus is set
    case WM_COMMAND:
        OnCameraSetupCommand(dlg, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_TIMER: // the clock timer works through its own callback
        return TRUE;
    case WM_CLOSE: // the form's state stays in the record for the next opening
        Dispatch(dlg, AppEvent{AppEventKind::Close});
        return TRUE;
    case WM_DESTROY:
        KillTimer(dlg, kClockTimerId);
        return FALSE;
    default:
        return FALSE;
    }
}
