// Every window on the screen it opens on: inside the monitor's work area, every button reachable
// and working, every text whole in its control and every frame and edit with all its edges. The
// suite runs these tests on its usual screen and again on a 1024x600 screen at 96 DPI and on a
// 1280x800 screen at 144 DPI (scripts/test-screen.sh).
#include "CameraSetupSteps.h"
#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace gui;

namespace {

std::string Describe(HWND dlg, HWND ctl) {
    return "control " + std::to_string(GetDlgCtrlID(ctl)) + " \"" + Text(dlg, GetDlgCtrlID(ctl)) +
           "\"";
}

std::wstring WideText(HWND wnd) {
    std::vector<wchar_t> buf(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
    GetWindowTextW(wnd, buf.data(), static_cast<int>(buf.size()));
    return buf.data();
}

std::wstring ClassOf(HWND wnd) {
    wchar_t cls[64] = {};
    GetClassNameW(wnd, cls, 64);
    return cls;
}

bool IsClass(HWND wnd, const wchar_t* cls) {
    return lstrcmpiW(ClassOf(wnd).c_str(), cls) == 0;
}

bool IsGroupBox(HWND wnd) {
    return IsClass(wnd, L"Button") && (GetWindowLongW(wnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The visible children of a dialog.
std::vector<HWND> Controls(HWND dlg) {
    std::vector<HWND> controls;
    for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE)
            controls.push_back(c);
    }
    return controls;
}

// A child's rectangle in its dialog's client coordinates.
RECT RectIn(HWND dlg, HWND ctl) {
    RECT rc = {};
    GetWindowRect(ctl, &rc);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

RECT ClientOf(HWND wnd) {
    RECT rc = {};
    GetClientRect(wnd, &rc);
    return rc;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Scrolls(HWND dlg) {
    return (GetWindowLongW(dlg, GWL_STYLE) & WS_VSCROLL) != 0;
}

RECT WorkAreaOf(HWND wnd) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

// Measures texts in a control's own font.
class TextMeter {
public:
    explicit TextMeter(HWND ctl) : ctl_(ctl), dc_(GetDC(ctl)) {
        old_ = SelectObject(dc_, reinterpret_cast<HFONT>(SendMessageW(ctl, WM_GETFONT, 0, 0)));
        GetTextMetricsW(dc_, &tm_);
    }
    ~TextMeter() {
        SelectObject(dc_, old_);
        ReleaseDC(ctl_, dc_);
    }
    int Width(const std::wstring& text) const {
        SIZE size = {};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // The room a text wrapped into lines of at most width pixels takes, as a static draws it.
    RECT Wrapped(const std::wstring& text, int width) const {
        RECT rc = {0, 0, width, 0};
        DrawTextW(dc_, text.c_str(), -1, &rc, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        return rc;
    }
    int AverageCharWidth() const { return tm_.tmAveCharWidth; }
    // A check box's box and the gap before its text, as the system draws them.
    int CheckBoxWidth() const { return MulDiv(12, GetDeviceCaps(dc_, LOGPIXELSX), 96) + 5; }

private:
    HWND ctl_;
    HDC dc_;
    HGDIOBJ old_;
    TEXTMETRICW tm_ = {};
};

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int len = static_cast<int>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0));
        std::vector<wchar_t> item(static_cast<size_t>(len > 0 ? len : 0) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(item.data());
    }
    return items;
}

void ExpectComboFits(HWND dlg, HWND combo) {
    const TextMeter meter(combo);
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    const int itemRoom = info.rcItem.right - info.rcItem.left - 2;
    const bool listScrolls = (GetWindowLongW(combo, GWL_STYLE) & WS_VSCROLL) != 0;
    const int dropRoom = static_cast<int>(SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0)) -
                         4 * GetSystemMetrics(SM_CXEDGE) -
                         (listScrolls ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    const int selected = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    const std::vector<std::wstring> items = ComboItems(combo);
    for (size_t i = 0; i < items.size(); ++i) {
        const int width = meter.Width(items[i]);
        EXPECT_LE(width, dropRoom)
            << Describe(dlg, combo) << ": item " << i << " wider than the open list";
        if (static_cast<int>(i) == selected) {
            EXPECT_LE(width, itemRoom)
                << Describe(dlg, combo) << ": chosen item " << i << " wider than the closed list";
        }
    }
}

// Every text shows whole in its control.
void ExpectTextsFit(HWND dlg) {
    for (HWND ctl : Controls(dlg)) {
        const RECT client = ClientOf(ctl);
        const int width = client.right;
        const std::wstring text = WideText(ctl);
        const LONG style = GetWindowLongW(ctl, GWL_STYLE);
        if (IsClass(ctl, L"ComboBox")) {
            ExpectComboFits(dlg, ctl);
            continue;
        }
        if (text.empty())
            continue;
        const TextMeter meter(ctl);
        const int margin = meter.AverageCharWidth();
        if (IsClass(ctl, L"Static")) {
            const LONG type = style & SS_TYPEMASK;
            if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) {
                const RECT need = meter.Wrapped(text, width);
                EXPECT_LE(need.right, width) << Describe(dlg, ctl) << ": a word is cut";
                EXPECT_LE(need.bottom, client.bottom) << Describe(dlg, ctl) << ": lines are cut";
            } else {
                EXPECT_LE(meter.Width(text), width) << Describe(dlg, ctl);
            }
        } else if (IsClass(ctl, L"Button")) {
            const LONG type = style & BS_TYPEMASK;
            int need = meter.Width(text);
            if (type == BS_GROUPBOX)
                need += 2 * margin; // the frame's corners on both sides
            else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                     type == BS_AUTORADIOBUTTON)
                need += meter.CheckBoxWidth();
            else
                need += margin; // a push button's edges
            EXPECT_LE(need, width) << Describe(dlg, ctl);
        }
    }
}

// Every frame and every other control shows all its edges: no two frames overlap unless one
// holds the other, no control crosses a frame's line and no two controls overlap.
void ExpectEdgesShow(HWND dlg) {
    const std::vector<HWND> controls = Controls(dlg);
    for (size_t i = 0; i < controls.size(); ++i) {
        const RECT a = RectIn(dlg, controls[i]);
        for (size_t j = i + 1; j < controls.size(); ++j) {
            const RECT b = RectIn(dlg, controls[j]);
            RECT common = {};
            if (!IntersectRect(&common, &a, &b))
                continue;
            const bool groupA = IsGroupBox(controls[i]);
            const bool groupB = IsGroupBox(controls[j]);
            const std::string pair =
                Describe(dlg, controls[i]) + " and " + Describe(dlg, controls[j]);
            if (groupA || groupB) {
                // The frame that holds (or is crossed by) the other control.
                const RECT& outer = groupA && groupB ? (Inside(a, b) ? b : a) : (groupA ? a : b);
                const RECT& inner = &outer == &a ? b : a;
                EXPECT_TRUE(inner.left > outer.left && inner.right < outer.right &&
                            inner.top >= outer.top && inner.bottom < outer.bottom)
                    << pair << " overlap a frame's edge";
            } else {
                ADD_FAILURE() << pair << " overlap";
            }
        }
    }
}

// The window lies inside its monitor's work area. Without a scroll bar, every control lies in
// its client area; with one, the window is as tall as the work area.
void ExpectFitsWorkArea(HWND dlg) {
    RECT win = {};
    GetWindowRect(dlg, &win);
    const RECT work = WorkAreaOf(dlg);
    EXPECT_TRUE(Inside(win, work)) << "window " << win.left << "," << win.top << "-" << win.right
                                   << "," << win.bottom << " outside the work area " << work.left
                                   << "," << work.top << "-" << work.right << "," << work.bottom;
    if (Scrolls(dlg)) {
        EXPECT_EQ(win.bottom - win.top, work.bottom - work.top);
        return;
    }
    for (HWND ctl : Controls(dlg))
        EXPECT_TRUE(Inside(RectIn(dlg, ctl), ClientOf(dlg))) << Describe(dlg, ctl);
}

void ExpectWholeWindowRight(HWND dlg, const std::string& what) {
    SCOPED_TRACE(what);
    ExpectFitsWorkArea(dlg);
    ExpectTextsFit(dlg);
    ExpectEdgesShow(dlg);
}

HWND FocusOf(const App& app) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(app.UiThreadId(), &info);
    return info.hwndFocus;
}

// The keyboard focus coming to the control brings it into view: it shows whole in the window.
void ExpectReachable(App& app, HWND dlg, int id) {
    if (FocusOf(app) == GetDlgItem(dlg, id)) // it has it already: it comes from elsewhere
        SendMessageW(dlg, WM_NEXTDLGCTL, 0, FALSE);
    Focus(app, dlg, id);
    const RECT rc = RectIn(dlg, GetDlgItem(dlg, id));
    EXPECT_TRUE(Inside(rc, ClientOf(dlg)))
        << Describe(dlg, GetDlgItem(dlg, id)) << " out of view: " << rc.left << "," << rc.top << "-"
        << rc.right << "," << rc.bottom << " in a window of " << ClientOf(dlg).right << "x"
        << ClientOf(dlg).bottom;
}

// A window with a scroll bar scrolls with it and with the mouse wheel, back to its top.
void ExpectScrolling(App& app, HWND dlg, int topId, int bottomId) {
    if (!Scrolls(dlg))
        return;
    PostMessageW(dlg, WM_VSCROLL, SB_TOP, 0);
    app.Settle();
    const RECT top = RectIn(dlg, GetDlgItem(dlg, topId));
    PostMessageW(dlg, WM_VSCROLL, SB_BOTTOM, 0);
    app.Settle();
    EXPECT_TRUE(Inside(RectIn(dlg, GetDlgItem(dlg, bottomId)), ClientOf(dlg)));
    EXPECT_LT(RectIn(dlg, GetDlgItem(dlg, topId)).top, top.top);
    POINT at = {10, 10};
    ClientToScreen(dlg, &at);
    PostMessageW(dlg, WM_MOUSEWHEEL, MAKEWPARAM(0, 100 * WHEEL_DELTA), MAKELPARAM(at.x, at.y));
    app.Settle();
    const RECT back = RectIn(dlg, GetDlgItem(dlg, topId));
    EXPECT_EQ(back.top, top.top);
    EXPECT_EQ(back.left, top.left);
}

void ExpectNotice(App& app) {
    MessageBoxInfo box = WaitMessageBox(app);
    ASSERT_NE(box.wnd, nullptr);
    EXPECT_TRUE(box.infoIcon) << box.text;
    ExpectFitsWorkArea(box.wnd);
    DismissMessageBox(app, box);
}

void EveryWindowOnThisScreen() {
    App app;
    HWND main = app.Wait(WindowTitle("Setup"));
    ASSERT_NE(main, nullptr);
    ExpectWholeWindowRight(main, "main-setup");
    ExpectReachable(app, main, IDC_MAIN_CAMERA_SETUP);
    ExpectReachable(app, main, IDC_MAIN_3G_SETUP);

    HWND camera = OpenCameraSetup(app);
    ASSERT_NE(camera, nullptr);
    ExpectWholeWindowRight(camera, "camera-setup");
    ExpectScrolling(app, camera, IDC_CAMERA_MODE, IDC_CAMERA_GENERATE);
    for (int id : {IDC_CAMERA_BROWSE, IDC_CAMERA_DEFAULT, IDC_CAMERA_GENERATE})
        ExpectReachable(app, camera, id);
    Click(app, camera, IDC_CAMERA_GENERATE);
    ExpectNotice(app);
    EXPECT_TRUE(FileExists(app.FilePath("menu.dat")));
    ExpectReachable(app, camera, IDC_CAMERA_DEFAULT);
    Click(app, camera, IDC_CAMERA_DEFAULT);
    ExpectNotice(app);
    ExpectReachable(app, camera, IDC_CAMERA_MODE);
    app.Close(camera);

    HWND page1 = OpenParamPage(app);
    ASSERT_NE(page1, nullptr);
    ExpectScrolling(app, page1, IDC_PARAM_SEND_OPTION, IDC_PARAM_NEXT_PAGE);
    const size_t options = Items(page1, IDC_PARAM_SEND_OPTION).size();
    for (size_t i = 0; i < options; ++i) {
        Choose(app, page1, IDC_PARAM_SEND_OPTION, static_cast<int>(i));
        ExpectWholeWindowRight(page1, "page 1, send option " + std::to_string(i));
        // Page 2 shows and hides its controls by the send option.
        HWND page2 = NextPage(app, page1);
        ASSERT_NE(page2, nullptr);
        ExpectWholeWindowRight(page2, "page 2, send option " + std::to_string(i));
        page1 = PreviousPage(app, page2);
        ASSERT_NE(page1, nullptr);
    }
    Choose(app, page1, IDC_PARAM_SEND_OPTION, 0); // no sending: Generate needs no more
    ExpectReachable(app, page1, IDC_PARAM_NEXT_PAGE);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);

    ExpectScrolling(app, page2, IDC_SEND_NO_REMOTE_CMD22, IDC_SEND_GENERATE);
    for (int id : {IDC_SEND_BROWSE, IDC_SEND_PREVIOUS_PAGE, IDC_SEND_GENERATE})
        ExpectReachable(app, page2, id);
    Choose(app, page2, IDC_SEND_REMOTE_INTERVAL, 0);
    Click(app, page2, IDC_SEND_GENERATE);
    ExpectNotice(app);
    EXPECT_TRUE(FileExists(app.FilePath("CFG.BIN")));
    ExpectReachable(app, page2, IDC_SEND_PREVIOUS_PAGE);
    EXPECT_NE(PreviousPage(app, page2), nullptr);
}

} // namespace

TEST(Screen, EveryWindowFitsShowsItsTextsAndEveryButtonWorks) {
    ASSERT_FALSE(SystemIsChinese());
    EveryWindowOnThisScreen();
}

TEST(Screen, EveryWindowFitsShowsItsTextsAndEveryButtonWorksChinese) {
    ASSERT_TRUE(SystemIsChinese());
    EveryWindowOnThisScreen();
}

namespace {

RECT WindowRectOf(HWND wnd) {
    RECT rc = {};
    GetWindowRect(wnd, &rc);
    return rc;
}

} // namespace

// The window is fitted again when the display, the work area or the DPI changes; on the same
// screen it comes back as it was, whatever it was scrolled to.
TEST(Screen, AWindowFittedAgainComesBackAsItWas) {
    App app;
    HWND camera = OpenCameraSetup(app);
    ASSERT_NE(camera, nullptr);
    PostMessageW(camera, WM_VSCROLL, SB_TOP, 0);
    app.Settle();
    const RECT before = WindowRectOf(camera);
    const RECT mode = RectIn(camera, GetDlgItem(camera, IDC_CAMERA_MODE));
    const bool scrolls = Scrolls(camera);
    const UINT dpi = static_cast<UINT>(GetDeviceCaps(GetDC(camera), LOGPIXELSY));
    RECT suggested = before;
    const struct {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } changes[] = {
        {WM_DISPLAYCHANGE, 32,
         MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))},
        {WM_SETTINGCHANGE, SPI_SETWORKAREA, 0},
        {0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested)},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.msg);
        PostMessageW(camera, WM_VSCROLL, SB_BOTTOM, 0);
        SendMessageW(camera, change.msg, change.wParam, change.lParam);
        app.Settle();
        app.Settle(); // and what the window posted itself on hearing of it
        ExpectFitsWorkArea(camera);
        EXPECT_EQ(Scrolls(camera), scrolls);
        const RECT after = WindowRectOf(camera);
        EXPECT_EQ(after.right - after.left, before.right - before.left);
        EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
        PostMessageW(camera, WM_VSCROLL, SB_TOP, 0);
        app.Settle();
        const RECT back = RectIn(camera, GetDlgItem(camera, IDC_CAMERA_MODE));
        EXPECT_EQ(back.left, mode.left);
        EXPECT_EQ(back.top, mode.top);
    }
}
