// 3G Parameter Settings: page 1 of the 3G wizard. The send option, the operator's network
// parameters (from the preset tables or typed in), the sender mailbox and the FTP server or the
// cloud account, edited in place in g_sSendSet. The page's model decides; this file turns the
// window's notifications into its events and paints what it shows.
#include "app/AppWin.h"
#include "res/resource.h"
#include "ui/ControlsWin.h"
#include "ui/EditFilterWin.h"
#include "ui/PaintViewWin.h"
#include "ui/ScrollFitWin.h"
#include "wizard/ParamPageModel.h"
#include "wizard/WizardWin.h"

#include <string>

namespace {

void OnInitParamPage(HWND dlg) {
    SetSmallIcon(dlg, IDI_WINDOW);
    WindowOpened(dlg, IDC_PARAM_SEND_OPTION); // "QOR Camera Cloud System" is wider
}

// The edit filter of the model's choosing runs on the control, which keeps the caret in place.
void OnEditChanged(HWND dlg, int id) {
    if (Painter().Painting())
        return;
    if (const char* allowed = App().View().Allowed(id))
        FilterEditText(dlg, id, allowed);
    const std::string bytes = ReadEditBytes(dlg, id, App().ParamPage().TakeBytes(id));
    Painter().Typed(id, bytes);
    Dispatch(dlg, AppEvent{AppEventKind::Type, id, 0, bytes});
}

void OnParamPageCommand(HWND dlg, int id, int code) {
    if (App().ParamPage().View().IsList(id))
        DispatchList(dlg, id, code);
    else if (id == IDC_PARAM_NEXT_PAGE)
        Dispatch(dlg, AppEvent{AppEventKind::Press, id});
    else if (code == EN_CHANGE) // Enter (IDOK), Escape (IDCANCEL) and the rest: nothing
        OnEditChanged(dlg, id);
}

} // namespace

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
        Dispatch(dlg, AppEvent{AppEventKind::Close});
        return TRUE;
    default:
        return FALSE;
    }
}

int GetFtpEditUse() {
    return static_cast<int>(Page1().FtpLayout());
}

// Generate reads the send method from page 1's list, which lives on hidden beneath page 2.
int GetParamPageSendOption() {
    return Page1().SendOptionForGenerate();
}
