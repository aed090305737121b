// 3G Send Settings: page 2 of the 3G wizard. Recipients, coordinates, picture size and count,
// send schedule, remote control and the save folder; "Generate" writes CFG.BIN. The page's model
// decides; this file turns the window's notifications into its events and paints what it shows.
#include "app/AppWin.h"
#include "common/SavePath.h"
#include "common/Trace.h"
#include "lang/LanguageWin.h"
#include "res/resource.h"
#include "ui/BrowseFolderWin.h"
#include "ui/EditFilterWin.h"
#include "ui/PaintViewWin.h"
#include "ui/ScrollFitWin.h"
#include "ui/ControlsWin.h"
#include "wizard/SendPageModel.h"
#include "wizard/WizardWin.h"

#include <commctrl.h>

#include <string>

namespace {

ViewPainter s_painter;

// Paints the page (an edit whose text the code page could not spell holds what came back), then
// shows the range warnings its own corrections raised.
void Paint(HWND page) {
    for (const auto& [id, text] : s_painter.Paint(Page2().View()))
        Page2().TypeText(id, text, true);
    for (int n = Page2().TakeRangeWarnings(); n > 0; --n)
        ShowWarningBox(page, kTextRangeWarning);
}

void OnInitSendPage(HWND page) {
    SetSmallIcon(page, IDI_WINDOW);
    Page2().Open(IsBasicCameraModel(g_iCameraModel));
    s_painter.Reset(page);
    Paint(page);
}

// The edit's filter or range check runs on the control, which keeps the caret in place; each
// change of a coordinate warns at most once (the corrected text comes back through EN_CHANGE).
void OnEditChanged(HWND page, int id) {
    if (s_painter.Painting())
        return;
    SendPageModel& model = Page2();
    if (const char* allowed = model.CharsAllowed(id)) {
        FilterEditText(page, id, allowed);
    } else if (model.IsCoordinateEdit(id)) {
        g_bRangeWarn = 1;
        CheckEditRange(page, id, 0, model.RangeMaximum(id));
        g_bRangeWarn = 0;
    }
    const std::string bytes = ReadEditBytes(page, id, model.TakeBytes(id));
    s_painter.Typed(id, bytes);
    model.TypeText(id, bytes, true);
}

void OnBrowse(HWND page) {
    std::string bytes;
    const FolderPick pick = PickFolder(page, &bytes);
    if (pick != FolderPick::Cancelled &&
        !Page2().ChooseSaveFolder(pick == FolderPick::Spelled ? bytes.c_str() : nullptr))
        ShowWarningBox(page, kTextFolderUnusable);
}

GenerateClock LocalClock() {
    SYSTEMTIME st = {};
    GetLocalTime(&st);
    Trace("Sytem time: %d-%d-%d, %d:%d:%d\n", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
          st.wSecond);
    return GenerateClock{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

void OnGenerate(HWND page) {
    const GenerateOutcome done = Page2().Generate(LocalClock());
    if (done.kind == GenerateOutcome::Refused)
        ShowWarningBox(page, GenerateMessage(done.message));
    else if (done.kind == GenerateOutcome::Written)
        ShowNoticeBox(page, kTextGenerateSuccess);
}

void OnSendPageCommand(HWND page, int id, int code) {
    SendPageModel& model = Page2();
    if (model.View().IsList(id)) {
        NotifyList(model, id, ComboGetSel(page, id), ListNoticeOf(code));
        Paint(page);
        return;
    }
    switch (id) {
    case IDC_SEND_NO_REMOTE_CMD22:
        model.SetNoRemoteCmd22(IsDlgButtonChecked(page, id) == BST_CHECKED);
        break;
    case IDC_SEND_REMOTE_EMAIL:
        if (code == EN_KILLFOCUS)
            model.LeaveRemoteEmail();
        else if (code == EN_CHANGE)
            OnEditChanged(page, id);
        return;
    case IDC_SEND_BROWSE:
        OnBrowse(page);
        break;
    case IDC_SEND_PREVIOUS_PAGE:
        model.PreviousPage();
        EndDialogBackTo(page, BackTo::ParamPage);
        return;
    case IDC_SEND_GENERATE:
        OnGenerate(page);
        break;
    default: // Enter, Escape and the other controls: nothing
        if (code == EN_CHANGE)
            OnEditChanged(page, id);
        return;
    }
    Paint(page);
}

INT_PTR CALLBACK SendPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ScrollFitMessage(page, msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        OnInitSendPage(page);
        ScrollFitInit(page);
        return TRUE;
    case WM_CLOSE:
        EndDialogBackTo(page, BackTo::MainSetup);
        return TRUE;
    case WM_COMMAND:
        OnSendPageCommand(page, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int ShowSendPage(HINSTANCE instance) {
    return RunModalDialog(instance, IDD_SEND_PAGE, SendPageProc);
}
