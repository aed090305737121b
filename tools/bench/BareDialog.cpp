// The smallest dialog program: the yardstick the first window's time is measured against. It
// shows one dialog, with the program's manifest, and ends by its close box: a template of its
// own, or Main Setup's when built with BARE_TEMPLATE=IDD_MAIN_SETUP.
#include <windows.h>

#include <commctrl.h>

#ifdef BARE_TEMPLATE
#include "resource.h"
#else
#define BARE_TEMPLATE 100 // BareDialog.rc's own
#endif

namespace {

INT_PTR CALLBACK BareProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_CLOSE || (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dlg, 0);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(BARE_TEMPLATE), nullptr, BareProc, 0));
}
