// 3G Send Settings: page 2 of the 3G wizard.
#include "app/App.h"
#include "res/resource.h"
#include "ui/WinUtil.h"
#include "wizard/Wizard.h"

#include <commctrl.h>

int g_bNoRemoteCmd22 = 0;

namespace {

INT_PTR CALLBACK SendPageProc(HWND page, UINT msg, WPARAM, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        SetSmallIcon(page, IDI_WINDOW);
        return TRUE;
    case WM_CLOSE:
        EndDialog(page, 0);
        ShowMainSetup(g_hInstance);
        return TRUE;
    case WM_COMMAND:
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

int ShowSendPage(HINSTANCE instance) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_SEND_PAGE), nullptr, SendPageProc, 0));
}
