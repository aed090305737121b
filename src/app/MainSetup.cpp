// Main Setup: the hub window. Logo, version, camera model, interface language, and the two
// buttons that open the camera menu form and the 3G wizard.
#include "app/App.h"
#include "app/SavePath.h"
#include "app/Trace.h"
#include "lang/LanguageWin.h"
#include "menu/CameraSetup.h"
#include "res/resource.h"
#include "ui/ScrollFit.h"
#include "ui/WinUtil.h"
#include "wizard/Wizard.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

HINSTANCE g_hInstance = nullptr;
int g_iCameraModel = 0;

namespace {

// The first initialisation of Main Setup in a run takes the language and folder from the system.
bool g_bFirstStart = true;

BackTo s_eBackTo = BackTo::None;

const char* const kCameraModels[4] = {"QOR-7120-3G", "QOR-7120-3G(BASIC)", "QOR-7450-3G",
                                      "QOR-7450-3G(BASIC)"};

const TextPair kMainSetupCaption = {{"设置", "Setup"}};

const ControlText kMainSetupTexts[] = {
    {IDC_MAIN_VERSION_GROUP, {{"软件版本", "Version"}}},
    {IDC_MAIN_LANGUAGE_GROUP, {{"界面语言", "Interface Language"}}},
    {IDC_MAIN_CAMERA_SETUP, {{"相机设置", "Camera Setup"}}},
    {IDC_MAIN_3G_SETUP, {{"3G设置", "3G Setup"}}},
    {IDC_MAIN_MODEL_GROUP, {{"相机型号", "Camera Model"}}},
};

// The save folder starts as the current directory. One longer than the folder can hold leaves
// it at "C:\".
void SetDefaultSavePath() {
    DWORD len = GetCurrentDirectoryA(0, nullptr);
    if (len == 0)
        return;
    std::vector<char> dir(len + 1, '\0');
    DWORD got = GetCurrentDirectoryA(len + 1, dir.data());
    if (got == 0 || got > len)
        return;
    if (SetSavePath(dir.data()))
        Trace("CurDir:%s\n", g_szSavePath);
}

void SetMainSetupTexts(HWND dlg, int refresh) {
    SetWindowTextUtf8(dlg, kMainSetupCaption.Get());
    SetDlgItemTextUtf8(dlg, IDC_MAIN_VERSION, kVersionText);
    for (const ControlText& ct : kMainSetupTexts)
        SetDlgItemTextUtf8(dlg, ct.id, ct.text.Get());

    if (refresh)
        ComboReset(dlg, IDC_MAIN_LANGUAGE_LIST);
    for (const char* item : kLanguageItems)
        ComboAddUtf8(dlg, IDC_MAIN_LANGUAGE_LIST, item);
    ComboSetSel(dlg, IDC_MAIN_LANGUAGE_LIST, g_iLanguage);

    if (refresh)
        ComboReset(dlg, IDC_MAIN_MODEL_LIST);
    for (const char* model : kCameraModels)
        ComboAddUtf8(dlg, IDC_MAIN_MODEL_LIST, model);
    ComboSetSel(dlg, IDC_MAIN_MODEL_LIST, g_iCameraModel);
}

void OnInitMainSetup(HWND dlg) {
    SetSmallIcon(dlg, IDI_WINDOW);
    // Each Main Setup window owns its logo and releases it when it goes away.
    HANDLE logo = LoadImageW(g_hInstance, MAKEINTRESOURCEW(IDB_LOGO), IMAGE_BITMAP, 0, 0,
                             LR_CREATEDIBSECTION);
    SetWindowLongPtrW(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(logo));
    if (g_bFirstStart) {
        SetLanguageFromSystem();
        SetDefaultSavePath();
        g_bFirstStart = false;
    }
    SetMainSetupTexts(dlg, 0);
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

// Opening another window ends this one first; the new window then runs from inside this
// handler, so the windows nest until the new one returns (see BackTo).
void OpenCameraSetup(HWND dlg) {
    EndDialog(dlg, 0);
    ShowCameraSetup(g_hInstance);
}

void OpenParamPage(HWND dlg) {
    EndDialog(dlg, 0);
    ShowParamPage(g_hInstance);
}

void OnMainSetupCommand(HWND dlg, int id, int code) {
    switch (id) {
    case IDC_MAIN_CAMERA_SETUP:
        OpenCameraSetup(dlg);
        break;
    case IDC_MAIN_3G_SETUP:
        OpenParamPage(dlg);
        break;
    case IDC_MAIN_MODEL_LIST:
        if (code == CBN_SELCHANGE)
            g_iCameraModel = ComboGetSel(dlg, IDC_MAIN_MODEL_LIST);
        break;
    case IDC_MAIN_LANGUAGE_LIST:
        if (code == CBN_SELCHANGE) {
            g_iLanguage = LanguageOfListItem(ComboGetSel(dlg, IDC_MAIN_LANGUAGE_LIST));
            SetMainSetupTexts(dlg, 1);
        }
        break;
    default: // Escape and anything else: nothing
        break;
    }
}

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
        EndDialog(dlg, 0);
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

} // namespace

void EndDialogBackTo(HWND dlg, BackTo target) {
    s_eBackTo = target;
    EndDialog(dlg, 0);
}

int RunBackTarget(HINSTANCE instance, int templateId, DLGPROC proc, BackTo target) {
    for (;;) {
        const int result = RunModalDialog(instance, templateId, proc);
        if (s_eBackTo != target)
            return result;
        s_eBackTo = BackTo::None;
    }
}

// A window closed back to Main Setup has unwound the whole nest; a fresh Main Setup follows.
int ShowMainSetup(HINSTANCE instance) {
    g_hInstance = instance;
    return RunBackTarget(instance, IDD_MAIN_SETUP, MainSetupProc, BackTo::MainSetup);
}
