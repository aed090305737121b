// Main Setup: the hub window. Logo, version, camera model, interface language, and the two
// buttons that open the camera menu form and the 3G wizard.
#include "app/AppWin.h"
#include "lang/LanguageWin.h"
#include "menu/CameraSetupWin.h"
#include "res/resource.h"
#include "ui/ScrollFitWin.h"
#include "ui/ControlsWin.h"
#include "wizard/WizardWin.h"

#include <commctrl.h>

#include <string>
#include <vector>

HINSTANCE g_hInstance = nullptr;

namespace {

BackTo s_eBackTo = BackTo::None;

// One model for the run: the first opening takes the language and folder from the system.
MainSetupModel& Form() {
    static MainSetupModel form;
    return form;
}

// What the controls show now, so that a repaint writes only what changed.
MainSetupView s_shown;

// The current folder, or nothing when the system gives none.
std::string CurrentFolder() {
    DWORD len = GetCurrentDirectoryA(0, nullptr);
    if (len == 0)
        return std::string();
    std::vector<char> dir(len + 1, '\0');
    DWORD got = GetCurrentDirectoryA(len + 1, dir.data());
    if (got == 0 || got > len)
        return std::string();
    return dir.data();
}

void FillList(HWND dlg, int id, const std::vector<std::string>& items) {
    ComboReset(dlg, id);
    for (const std::string& item : items)
        ComboAddUtf8(dlg, id, item.c_str());
}

void Paint(HWND dlg, bool all) {
    const MainSetupView& v = Form().View();
    if (all || s_shown.language != v.language) {
        SetWindowTextUtf8(dlg, kMainSetupCaption.Get());
        SetDlgItemTextUtf8(dlg, IDC_MAIN_VERSION, kVersionText);
        for (size_t k = 0; k < kMainSetupTextCount; ++k)
            SetDlgItemTextUtf8(dlg, kMainSetupTexts[k].id, kMainSetupTexts[k].text.Get());
    }
    if (all || s_shown.languageItems != v.languageItems)
        FillList(dlg, IDC_MAIN_LANGUAGE_LIST, v.languageItems);
    if (all || s_shown.modelItems != v.modelItems)
        FillList(dlg, IDC_MAIN_MODEL_LIST, v.modelItems);
    if (all || s_shown.languageSelection != v.languageSelection)
        ComboSetSel(dlg, IDC_MAIN_LANGUAGE_LIST, v.languageSelection);
    if (all || s_shown.modelSelection != v.modelSelection)
        ComboSetSel(dlg, IDC_MAIN_MODEL_LIST, v.modelSelection);
    s_shown = v;
}

void OnInitMainSetup(HWND dlg) {
    SetSmallIcon(dlg, IDI_WINDOW);
    // Each Main Setup window owns its logo and releases it when it goes away.
    HANDLE logo = LoadImageW(g_hInstance, MAKEINTRESOURCEW(IDB_LOGO), IMAGE_BITMAP, 0, 0,
                             LR_CREATEDIBSECTION);
    SetWindowLongPtrW(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(logo));
    const std::string folder = CurrentFolder();
    Form().Open(GetSystemDefaultLangID(), folder.empty() ? nullptr : folder.c_str());
    Paint(dlg, true);
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
void Act(HWND dlg, MainSetupAction action) {
    EndDialog(dlg, 0);
    if (action == MainSetupAction::OpenCameraSetup)
        ShowCameraSetup(g_hInstance);
    else if (action == MainSetupAction::Open3GSetup)
        ShowParamPage(g_hInstance);
}

void OnListChosen(HWND dlg, int id) {
    const int row = ComboGetSel(dlg, id);
    if (id == IDC_MAIN_MODEL_LIST) {
        s_shown.modelSelection = row;
        Form().ChooseModel(row);
    } else {
        s_shown.languageSelection = row;
        Form().ChooseLanguage(row);
    }
    Paint(dlg, false);
}

void OnMainSetupCommand(HWND dlg, int id, int code) {
    switch (id) {
    case IDC_MAIN_CAMERA_SETUP:
        Act(dlg, Form().PressCameraSetup());
        break;
    case IDC_MAIN_3G_SETUP:
        Act(dlg, Form().Press3GSetup());
        break;
    case IDC_MAIN_MODEL_LIST:
    case IDC_MAIN_LANGUAGE_LIST:
        if (code == CBN_SELCHANGE)
            OnListChosen(dlg, id);
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
        Act(dlg, Form().Close());
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
