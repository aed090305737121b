// 3G Parameter Settings: page 1 of the 3G wizard. The send option, the operator's network
// parameters (from the preset tables or typed in), the sender mailbox and the FTP server or the
// cloud account, edited in place in g_sSendSet. The page's model decides; this file turns the
// window's notifications into its events and paints what it shows.
#include "app/AppWin.h"
#include "res/resource.h"
#include "sendset/FileIo.h"
#include "ui/EditFilterWin.h"
#include "ui/PaintViewWin.h"
#include "ui/ScrollFitWin.h"
#include "ui/ControlsWin.h"
#include "wizard/ParamPageModel.h"
#include "wizard/WizardWin.h"

#include <string>

namespace {

// The newest page window. It stays alive, hidden, while page 2 runs on top of it.
HWND s_hParamPage = nullptr;
ViewPainter s_painter;

// An edit whose text the code page could not spell holds what came back, as the window's own
// change notification would have told the page.
void Paint() {
    for (int round = 0; round < 2; ++round) {
        const auto changed = s_painter.Paint(Page1().View());
        if (changed.empty())
            return;
        for (const auto& [id, text] : changed)
            Page1().TypeText(id, text);
    }
}

void OnInitParamPage(HWND dlg) {
    s_hParamPage = dlg;
    SetSmallIcon(dlg, IDI_WINDOW);
    Page1().Open([] { return ReadSendSetFile(0) == 1; }, IsBasicCameraModel(g_iCameraModel));
    s_painter.Reset(dlg);
    s_painter.FitDroppedWidth(IDC_PARAM_SEND_OPTION); // "QOR Camera Cloud System" is wider
    Paint();
}

// The edit filter of the model's choosing runs on the control, which keeps the caret in place.
void OnEditChanged(HWND dlg, int id) {
    if (s_painter.Painting())
        return;
    if (const char* allowed = Page1().AllowedChars(id))
        FilterEditText(dlg, id, allowed);
    const std::string bytes = ReadEditBytes(dlg, id, Page1().TakeBytes(id));
    s_painter.Typed(id, bytes);
    Page1().TypeText(id, bytes);
    Paint();
}

void OnNextPage(HWND dlg) {
    Page1().NextPage();
    EndDialog(dlg, 0);
    ShowSendPage(g_hInstance);
}

void OnParamPageClose(HWND dlg) {
    Page1().Close();
    EndDialogBackTo(dlg, BackTo::MainSetup);
}

void OnParamPageCommand(HWND dlg, int id, int code) {
    ParamPageModel& page = Page1();
    if (page.View().IsList(id)) {
        NotifyList(page, id, ComboGetSel(dlg, id), ListNoticeOf(code));
        Paint();
        return;
    }
    switch (id) {
    case IDC_PARAM_NEXT_PAGE:
        OnNextPage(dlg);
        return;
    default: // Enter (IDOK), Escape (IDCANCEL) and the rest: nothing
        if (code == EN_CHANGE)
            OnEditChanged(dlg, id);
        return;
    }
    Paint();
}

INT_PTR CALLBACK ParamPageProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ScrollFitMessage(dlg, msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        OnInitParamPage(dlg);
        ScrollFitInit(dlg);
        return TRUE;
    case WM_COMMAND:
        OnParamPageCommand(dlg, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        OnParamPageClose(dlg);
        return TRUE;
    case WM_DESTROY:
        if (s_hParamPage == dlg) {
            s_hParamPage = nullptr;
            Page1().WindowGone();
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

// Page 2's "Previous Page" unwinds to here: this page and page 2 have returned, and a fresh page
// 1 opens on the hand-over copy.
int ShowParamPage(HINSTANCE instance) {
    return RunBackTarget(instance, IDD_PARAM_PAGE, ParamPageProc, BackTo::ParamPage);
}

int GetFtpEditUse() {
    return static_cast<int>(Page1().FtpLayout());
}

// Generate reads the send method from page 1's list, which lives on hidden beneath page 2.
int GetParamPageSendOption() {
    return Page1().SendOptionForGenerate();
}