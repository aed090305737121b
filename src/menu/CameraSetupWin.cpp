// Camera Setup: one drop-down list per camera menu setting, the clock group, the save folder,
// and "Generate" / "Default", which write menu.dat. The form's model decides; this file paints it
// and turns the window's notifications into its events.
#include "app/AppWin.h"
#include "common/SavePath.h"
#include "lang/LanguageWin.h"
#include "menu/CameraSetupModel.h"
#include "res/resource.h"
#include "ui/BrowseFolderWin.h"
#include "ui/ScrollFitWin.h"
#include "ui/ControlsWin.h"

#include <commctrl.h>

#include <cstddef>
#include <string>

namespace {

const UINT_PTR kClockTimerId = 0;
const UINT kClockTimerPeriodMs = 1000;

// What the controls show now, so that a repaint writes only what changed.
CameraSetupView s_shown;
bool s_paintAll = true;  // a new window: every control is painted
bool s_painting = false; // the edits' change notifications come from the paint

void PaintTexts(HWND dlg) {
    SetWindowTextUtf8(dlg, kTextCameraSetup.Get());
    for (size_t k = 0; k < kCameraSetupTextCount; ++k)
        SetDlgItemTextUtf8(dlg, kCameraSetupTexts[k].id, kCameraSetupTexts[k].text.Get());
    for (int k = 0; k < MENU_LIST_COUNT; ++k) {
        for (const std::string& item : MenuListItems(static_cast<MenuList>(k)))
            ComboAddUtf8(dlg, kMenuListControls[k], item.c_str());
    }
}

// Writes what differs between the form and the controls. Each record is updated before its
// control is written: writing an edit's text comes back at once as its change notification.
void Paint(HWND dlg, bool all) {
    s_painting = true;
    const CameraSetupView& v = App().CameraSetup().View();
    for (int k = 0; k < MENU_LIST_COUNT; ++k) {
        if (all || s_shown.selection[k] != v.selection[k]) {
            s_shown.selection[k] = v.selection[k];
            ComboSetSel(dlg, kMenuListControls[k], v.selection[k]);
        }
        if (all || s_shown.listEnabled[k] != v.listEnabled[k]) {
            s_shown.listEnabled[k] = v.listEnabled[k];
            EnableDlgItem(dlg, kMenuListControls[k], v.listEnabled[k]);
        }
    }
    for (int k = 0; k < CLOCK_EDIT_COUNT; ++k) {
        if (all || s_shown.clockText[k] != v.clockText[k]) {
            s_shown.clockText[k] = v.clockText[k];
            SetDlgItemTextUtf8(dlg, kClockEditControls[k], v.clockText[k].c_str());
        }
        if (all || s_shown.clockEnabled != v.clockEnabled)
            EnableDlgItem(dlg, kClockEditControls[k], v.clockEnabled);
    }
    s_shown.clockEnabled = v.clockEnabled;
    if (all || s_shown.savePath != v.savePath) {
        s_shown.savePath = v.savePath;
        SetDlgItemField(dlg, IDC_CAMERA_SAVE_PATH, v.savePath.c_str(), v.savePath.size() + 1);
    }
    s_painting = false;
}

void CALLBACK ClockTimerProc(HWND dlg, UINT, UINT_PTR, DWORD) {
    Dispatch(dlg, AppEvent{AppEventKind::Tick});
}

// The edit shows what was typed; the form keeps its digits, and the caret stays where the first
// character removed was.
void OnClockTyped(HWND dlg, int edit) {
    if (s_painting)
        return;
    const std::string typed = GetDlgItemTextUtf8(dlg, kClockEditControls[edit]);
    s_shown.clockText[edit] = typed;
    Dispatch(dlg, AppEvent{AppEventKind::Type, kClockEditControls[edit], 0, typed});
    const std::string& kept = App().CameraSetup().View().clockText[edit];
    if (kept == typed)
        return;
    size_t at = 0;
    while (at < kept.size() && kept[at] == typed[at])
        ++at;
    SendDlgItemMessageW(dlg, kClockEditControls[edit], EM_SETSEL, at, at);
}

void OnListChosen(HWND dlg, int list) {
    s_shown.selection[list] = ComboGetSel(dlg, kMenuListControls[list]);
    DispatchList(dlg, kMenuListControls[list], CBN_SELCHANGE);
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
    const int edit = ClockEditOfControl(id);
    if (edit >= 0) {
        if (code == EN_CHANGE) {
            OnClockTyped(dlg, edit);
        } else if (code == EN_KILLFOCUS) {
            Dispatch(dlg, AppEvent{AppEventKind::Leave, id});
        }
        return;
    }
    const int list = MenuListOfControl(id);
    if (list >= 0) {
        if (code == CBN_SELCHANGE)
            OnListChosen(dlg, list);
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
    for (int k = 0; k < CLOCK_EDIT_COUNT; ++k)
        SendDlgItemMessageW(dlg, kClockEditControls[k], EM_LIMITTEXT, kClockEditLimits[k].chars, 0);
    SendDlgItemMessageW(dlg, IDC_CAMERA_SAVE_PATH, EM_LIMITTEXT, SAVE_PATH_MAX_CHARS + 1, 0);
    PaintTexts(dlg);
    s_paintAll = true;
    WindowOpened(dlg, 0, [](HWND w, AppEffects&) {
        Paint(w, s_paintAll);
        s_paintAll = false;
    });
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
