// Main Setup: the hub window. Logo, version, camera model, interface language, and the two
// buttons that open the camera menu form and the 3G wizard.
#include "app/AppWin.h"
#include "res/resource.h"
#include "ui/ScrollFitWin.h"
#include "ui/ControlsWin.h"

namespace {

void OnInitMainSetup(HWND dlg) {
    SetSmallIcon(dlg, IDI_WINDOW);
    // Each Main Setup window owns its logo and releases it when it goes away.
    HANDLE logo = LoadImageW(g_hInstance, MAKEINTRESOURCEW(IDB_LOGO), IMAGE_BITMAP, 0, 0,
                             LR_CREATEDIBSECTION);
    SetWindowLongPtrW(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(logo));
    WindowOpened(dlg);
}

HBITMAP GetLogo(HWND dlg) {
    return reinterpret_cast<HBITMAP>(GetWindowLongPtrW(dlg, DWLP_USER));
}

void PaintLogo(HWND dlg) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dlg, &ps);
    HBITMAP logo = GetLogo(dlg);
    if (logo != nullptr) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, logo);
        BITMAP bm = {};
        GetObjectW(logo, sizeof bm, &bm);
        // The copied area is 340 x 72 pixels from the logo's top-left corner, clipped to the
        // bitmap, scaled like the dialog when the system font makes dialog units larger.
        int width = bm.bmWidth < 340 ? bm.bmWidth : 340;
        int height = bm.bmHeight < 72 ? bm.bmHeight : 72;
        RECT unit = {0, 0, 257, 135};
        MapDialogRect(dlg, &unit);
        const double scale = unit.right / 385.5; // dialog width in pixels at 96 DPI
        if (scale > 0.85 && scale < 1.15) {
            BitBlt(dc, 24, 10, width, height, mem, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, static_cast<int>(24 * scale), static_cast<int>(10 * scale),
                       static_cast<int>(width * scale), static_cast<int>(height * scale), mem, 0, 0,
                       width, height, SRCCOPY);
        }
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    EndPaint(dlg, &ps);
}

// The logo is released when the window goes away, whether it was closed or ended to open
// another window.
void ReleaseLogo(HWND dlg) {
    HBITMAP logo = GetLogo(dlg);
    if (logo != nullptr) {
        SetWindowLongPtrW(dlg, DWLP_USER, 0);
        DeleteObject(logo);
    }
}

void OnMainSetupCommand(HWND dlg, int id, int code) {
    switch (id) {
    case IDC_MAIN_CAMERA_SETUP:
    case IDC_MAIN_3G_SETUP:
        Dispatch(dlg, AppEvent{AppEventKind::Press, id});
        break;
    case IDC_MAIN_MODEL_LIST:
    case IDC_MAIN_LANGUAGE_LIST:
        DispatchList(dlg, id, code);
        break;
    default: // Escape and anything else: nothing
        break;
    }
}

} // namespace

INT_PTR CALLBACK MainSetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ScrollFitMessage(dlg, msg, wParam, lParam))
        return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        OnInitMainSetup(dlg);
        ScrollFitInit(dlg);
        return TRUE;
    case WM_PAINT:
        PaintLogo(dlg);
        return FALSE;
    case WM_CLOSE: // the close box or Alt+F4: the only way the program ends
        Dispatch(dlg, AppEvent{AppEventKind::Close});
        return TRUE;
    case WM_DESTROY:
        ReleaseLogo(dlg);
        return FALSE;
    case WM_COMMAND:
        OnMainSetupCommand(dlg, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
