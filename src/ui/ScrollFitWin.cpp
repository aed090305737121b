#include "ui/ScrollFitWin.h"

namespace {

const wchar_t kStateProp[] = L"CamSetup.ScrollFit";

struct FitState {
    int naturalHeightDu = 0; // the client height the template asks for, in dialog units
    int pos = 0;             // how far the controls are scrolled up, in pixels
    int extraWidth = 0;      // what the window was widened by to make room for the scroll bar
    int wheelRest = 0;       // wheel movement not yet turned into lines
    bool scrolling = false;  // the scroll bar is shown
};

// The focus moves through SetFocus wherever it comes from (Tab, a mnemonic, a click, the
// program): one hook on the thread of the dialogs sees every move.
thread_local HHOOK t_focusHook = nullptr;
thread_local int t_fittedDialogs = 0;

UINT RefitMessage() {
    static const UINT msg = RegisterWindowMessageW(L"CamSetup.ScrollFit.Refit");
    return msg;
}

FitState* State(HWND dlg) {
    return static_cast<FitState*>(GetPropW(dlg, kStateProp));
}

int DuToPixelsY(HWND dlg, int du) {
    RECT rc = {0, 0, 0, du};
    MapDialogRect(dlg, &rc);
    return rc.bottom;
}

int PixelsToDuY(HWND dlg, int px) {
    const int scale = 10000;
    const int scalePx = DuToPixelsY(dlg, scale);
    return scalePx > 0 ? MulDiv(px, scale, scalePx) : px;
}

// A child's rectangle in its dialog's client coordinates.
RECT ChildRect(HWND dlg, HWND child) {
    RECT rc = {};
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

int ClientHeight(HWND dlg) {
    RECT rc = {};
    GetClientRect(dlg, &rc);
    return rc.bottom - rc.top;
}

// The client height the template's layout takes: the window's, unless the system already cut it
// to the screen when it created the window; then the lowest control's bottom and a margin.
int NaturalClientHeight(HWND dlg) {
    int bottom = 0;
    for (HWND child = GetWindow(dlg, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT rc = ChildRect(dlg, child);
        if (rc.bottom > bottom)
            bottom = rc.bottom;
    }
    const int client = ClientHeight(dlg);
    return bottom > client ? bottom + DuToPixelsY(dlg, 4) : client;
}

int LineHeight(HWND dlg) {
    return DuToPixelsY(dlg, 10);
}

// Moves every child by dy pixels (negative: up). The dialog paints nothing of its own that
// moves, so moving the children and repainting is the whole scroll.
void MoveChildren(HWND dlg, int dy) {
    if (dy == 0)
        return;
    for (HWND child = GetWindow(dlg, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT rc = ChildRect(dlg, child);
        SetWindowPos(child, nullptr, rc.left, rc.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS);
    }
    RedrawWindow(dlg, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

int MaxPos(HWND dlg, const FitState& state) {
    const int max = DuToPixelsY(dlg, state.naturalHeightDu) - ClientHeight(dlg);
    return max > 0 ? max : 0;
}

void ScrollTo(HWND dlg, FitState& state, int pos) {
    if (pos > MaxPos(dlg, state))
        pos = MaxPos(dlg, state);
    if (pos < 0 || !state.scrolling)
        pos = 0;
    MoveChildren(dlg, state.pos - pos);
    state.pos = pos;
    if (state.scrolling) {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_POS;
        si.nPos = pos;
        SetScrollInfo(dlg, SB_VERT, &si, TRUE);
    }
}

// Back to the template's layout: controls unscrolled, no scroll bar, the width as it was.
void Unfit(HWND dlg, FitState& state) {
    ScrollTo(dlg, state, 0);
    if (!state.scrolling)
        return;
    ShowScrollBar(dlg, SB_VERT, FALSE);
    state.scrolling = false;
    RECT win = {};
    GetWindowRect(dlg, &win);
    SetWindowPos(dlg, nullptr, 0, 0, win.right - win.left - state.extraWidth, win.bottom - win.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    state.extraWidth = 0;
}

RECT WorkArea(HWND dlg) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromWindow(dlg, MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return info.rcWork;
}

// initial: the dialog has just been created; a dialog that fits is then left untouched.
void Fit(HWND dlg, FitState& state, bool initial) {
    Unfit(dlg, state);
    const RECT work = WorkArea(dlg);
    RECT win = {};
    GetWindowRect(dlg, &win);
    const int naturalClient = DuToPixelsY(dlg, state.naturalHeightDu);
    const int frameHeight = (win.bottom - win.top) - ClientHeight(dlg);
    int width = win.right - win.left;
    int height = naturalClient + frameHeight;
    const int workHeight = work.bottom - work.top;
    if (height <= workHeight) {
        if (initial)
            return;
    } else {
        height = workHeight;
        RECT before = {};
        GetClientRect(dlg, &before);
        ShowScrollBar(dlg, SB_VERT, TRUE);
        state.scrolling = true;
        RECT after = {};
        GetClientRect(dlg, &after);
        state.extraWidth = before.right - after.right;
        if (state.extraWidth <= 0)
            state.extraWidth = GetSystemMetrics(SM_CXVSCROLL);
        width += state.extraWidth;
    }
    if (width > work.right - work.left)
        width = work.right - work.left;
    int x = win.left;
    int y = win.top;
    if (x + width > work.right)
        x = work.right - width;
    if (x < work.left)
        x = work.left;
    if (y + height > work.bottom)
        y = work.bottom - height;
    if (y < work.top)
        y = work.top;
    SetWindowPos(dlg, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (state.scrolling) {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = naturalClient - 1;
        si.nPage = static_cast<UINT>(ClientHeight(dlg));
        si.nPos = 0;
        SetScrollInfo(dlg, SB_VERT, &si, TRUE);
    }
}

void OnVScroll(HWND dlg, FitState& state, int code) {
    const int page = ClientHeight(dlg);
    int pos = state.pos;
    switch (code) {
    case SB_LINEUP:
        pos -= LineHeight(dlg);
        break;
    case SB_LINEDOWN:
        pos += LineHeight(dlg);
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = MaxPos(dlg, state);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(dlg, SB_VERT, &si);
        pos = si.nTrackPos;
        break;
    }
    default:
        return;
    }
    ScrollTo(dlg, state, pos);
}

void OnMouseWheel(HWND dlg, FitState& state, int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL)
        lines = static_cast<UINT>(ClientHeight(dlg) / LineHeight(dlg));
    state.wheelRest += delta;
    const int notches = state.wheelRest / WHEEL_DELTA;
    state.wheelRest -= notches * WHEEL_DELTA;
    ScrollTo(dlg, state, state.pos - notches * static_cast<int>(lines) * LineHeight(dlg));
}

LRESULT CALLBACK FocusHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_SETFOCUS && wParam != 0) {
        HWND focus = reinterpret_cast<HWND>(wParam);
        HWND dlg = GetAncestor(focus, GA_ROOT);
        if (dlg != nullptr && State(dlg) != nullptr)
            ScrollFitShowControl(dlg, focus);
    }
    return CallNextHookEx(t_focusHook, code, wParam, lParam);
}

} // namespace

void ScrollFitInit(HWND dlg) {
    if (State(dlg) != nullptr)
        return;
    FitState* state = new FitState;
    state->naturalHeightDu = PixelsToDuY(dlg, NaturalClientHeight(dlg));
    SetPropW(dlg, kStateProp, state);
    if (t_fittedDialogs++ == 0)
        t_focusHook = SetWindowsHookExW(WH_CBT, FocusHook, nullptr, GetCurrentThreadId());
    Fit(dlg, *state, true);
}

void ScrollFitShowControl(HWND dlg, HWND control) {
    FitState* state = State(dlg);
    if (state == nullptr || !state->scrolling || control == nullptr)
        return;
    while (control != nullptr && GetParent(control) != dlg)
        control = GetParent(control);
    if (control == nullptr)
        return;
    const RECT rc = ChildRect(dlg, control);
    const int margin = DuToPixelsY(dlg, 4);
    const int client = ClientHeight(dlg);
    if (rc.top < margin)
        ScrollTo(dlg, *state, state->pos + rc.top - margin);
    else if (rc.bottom > client - margin)
        ScrollTo(dlg, *state, state->pos + rc.bottom - (client - margin));
}

bool ScrollFitMessage(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    FitState* state = State(dlg);
    if (state == nullptr)
        return false;
    switch (msg) {
    case WM_VSCROLL:
        if (lParam != 0) // a scroll bar control of the dialog's own
            return false;
        OnVScroll(dlg, *state, LOWORD(wParam));
        return true;
    case WM_MOUSEWHEEL:
        if (!state->scrolling)
            return false;
        OnMouseWheel(dlg, *state, GET_WHEEL_DELTA_WPARAM(wParam));
        return true;
    case 0x02E0: // WM_DPICHANGED: the system rescales the template's layout, then it is refitted
        Unfit(dlg, *state);
        PostMessageW(dlg, RefitMessage(), 0, 0);
        return false;
    case WM_DISPLAYCHANGE:
        PostMessageW(dlg, RefitMessage(), 0, 0);
        return false;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA)
            PostMessageW(dlg, RefitMessage(), 0, 0);
        return false;
    case WM_NCDESTROY:
        RemovePropW(dlg, kStateProp);
        delete state;
        if (--t_fittedDialogs == 0 && t_focusHook != nullptr) {
            UnhookWindowsHookEx(t_focusHook);
            t_focusHook = nullptr;
        }
        return false;
    default:
        break;
    }
    if (msg == RefitMessage()) {
        Fit(dlg, *state, false);
        ScrollFitShowControl(dlg, GetFocus());
        return true;
    }
    return false;
}
