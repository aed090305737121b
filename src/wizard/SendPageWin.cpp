// 3G Send Settings: page 2 of the 3G wizard. Recipients, coordinates, picture size and count,
// send schedule, remote control and the save folder; "Generate" writes CFG.BIN. The page's model
// decides; this file turns the window's notifications into its events and paints what it shows.
#include "app/AppWin.h"
#include "common/Trace.h"
#include "res/resource.h"
#include "ui/BrowseFolderWin.h"
#include "ui/ControlsWin.h"
#include "ui/EditFilterWin.h"
#include "ui/PaintViewWin.h"
#include "ui/ScrollFitWin.h"
#include "wizard/SendPageModel.h"

#include <string>

namespace {

// The edit's filter or range check runs on the control, which keeps the caret in place; each
// change of a coordinate warns at most once (the corrected text comes back through EN_CHANGE).
void OnEditChanged(HWND page, int id) {
    if (Painter().Painting())
        return;
    const SendPageModel& model = App().SendPage();
    if (const char* allowed = App().View().Allowed(id)) {
        FilterEditText(page, id, allowed);
    } else if (model.IsCoordinateEdit(id)) {
        g_bRangeWarn = 1;
        CheckEditRange(page, id, 0, model.RangeMaximum(id));
        g_bRangeWarn = 0;
    }
    const std::string bytes = ReadEditBytes(page, id, model.TakeBytes(id));
    Painter().Typed(id, bytes);
    Dispatch(page, AppEvent{AppEventKind::Type, id, 1, bytes});
}

// A folder the code page cannot spell comes as an empty path, which the page refuses as well.
void OnBrowse(HWND page) {
    std::string bytes;
    const FolderPick pick = PickFolder(page, &bytes);
    if (pick != FolderPick::Cancelled)
        Dispatch(page, AppEvent{AppEventKind::FolderChosen, IDC_SEND_BROWSE, 0,
                                pick == FolderPick::Spelled ? bytes : std::string()});
}

void OnGenerate(HWND page) {
    SYSTEMTIME st = {};
    GetLocalTime(&st);
    Trace("Sytem time: %d-%d-%d, %d:%d:%d\n", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
          st.wSecond);
    DispatchAt(page, AppEvent{AppEventKind::Press, IDC_SEND_GENERATE},
               ClockTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond});
}

void OnSendPageCommand(HWND page, int id, int code) {
    if (App().SendPage().View().IsList(id)) {
        DispatchList(page, id, code);
        return;
    }
    switch (id) {
    case IDC_SEND_NO_REMOTE_CMD22:
        Dispatch(page, AppEvent{AppEventKind::Check, id,
                                IsDlgButtonChecked(page, id) == BST_CHECKED ? 1 : 0});
        break;
    case IDC_SEND_REMOTE_EMAIL:
        if (code == EN_KILLFOCUS)
            Dispatch(page, AppEvent{AppEventKind::Leave, id});
        else if (code == EN_CHANGE)
            OnEditChanged(page, id);
        break;
    case IDC_SEND_BROWSE:
        OnBrowse(page);
        break;
    case IDC_SEND_PREVIOUS_PAGE:
        Dispatch(page, AppEvent{AppEventKind::Press, id});
        break;
    case IDC_SEND_GENERATE:
        OnGenerate(page);
        break;
    default: // Enter, Escape and the other controls: nothing
        if (code == EN_CHANGE)
            OnEditChanged(page, id);
        break;
    }
}

} // namespace

INT_PTR CALLBACK SendPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ScrollFitMessage(page, msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        SetSmallIcon(page, IDI_WINDOW);
        WindowOpened(page);
        ScrollFitInit(page);
        return TRUE;
    case WM_CLOSE:
        Dispatch(page, AppEvent{AppEventKind::Close});
        return TRUE;
    case WM_COMMAND:
        OnSendPageCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
