// The edit filters on real edit controls, in a dialog of the tests' own: writing an edit's text
// re-enters the dialog procedure through EN_CHANGE, as it does in the forms.
#include "FilterTestDialog.h"
#include "GuiHarness.h"

#include "ui/EditFilterWin.h"

#include <gtest/gtest.h>

#include <string>

using namespace gui;

namespace {

// The forms' filters, one per edit. The warned edits set the switch around each check, as the
// send page does.
void FilterTestEditChanged(HWND dlg, int id) {
    switch (id) {
    case IDC_FILTER_PHONE:
        FilterEditText(dlg, id, "0123456789+");
        break;
    case IDC_FILTER_NUMBER:
        FilterEditText(dlg, id, "0123456789");
        break;
    case IDC_FILTER_MINUTE:
        CheckEditRange(dlg, id, 0, 59);
        break;
    case IDC_FILTER_DEGREES:
        CheckEditRange(dlg, id, 0, 180);
        break;
    case IDC_FILTER_DEGREES_WARN:
        g_bRangeWarn = 1;
        CheckEditRange(dlg, id, 0, 180);
        g_bRangeWarn = 0;
        break;
    case IDC_FILTER_YEAR_WARN:
        g_bRangeWarn = 1;
        CheckEditRange(dlg, id, 2016, 2099);
        g_bRangeWarn = 0;
        break;
    }
}

INT_PTR CALLBACK FilterTestProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE)
            FilterTestEditChanged(dlg, LOWORD(wParam));
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dlg, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dlg, 0);
        return TRUE;
    }
    return FALSE;
}

// The test dialog runs modally on the program's UI thread, inside Main Setup's message loop, as
// the program's own windows do: Main Setup is given one more command, which opens it.
constexpr int kOpenFilterTest = 0x7F00;
WNDPROC s_mainSetupProc = nullptr;

LRESULT CALLBACK MainSetupWithFilterTest(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == kOpenFilterTest) {
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FILTER_TEST), nullptr,
                        FilterTestProc, 0);
        return 0;
    }
    return CallWindowProcW(s_mainSetupProc, wnd, msg, wParam, lParam);
}

HWND OpenFilterTest(App& app) {
    HWND main = app.Wait(SystemIsChinese() ? "设置" : "Setup");
    if (main == nullptr)
        return nullptr;
    s_mainSetupProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainSetupWithFilterTest)));
    Command(app, main, kOpenFilterTest);
    return app.Wait("Edit Filter Test");
}

DWORD Caret(HWND dlg, int id) {
    DWORD start = 0, end = 0;
    SendDlgItemMessageW(dlg, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end));
    return start == end ? start : 0xFFFFFFFF;
}

size_t CountOf(const std::string& text, const std::string& line) {
    size_t n = 0;
    for (size_t pos = text.find(line); pos != std::string::npos; pos = text.find(line, pos + 1))
        ++n;
    return n;
}

} // namespace

TEST(EditFilter, DisallowedCharactersGoOneByOneAndTheCaretStaysThere) {
    App app;
    HWND dlg = OpenFilterTest(app);
    ASSERT_NE(dlg, nullptr);

    Type(app, dlg, IDC_FILTER_PHONE, "12a+34");
    EXPECT_EQ(Text(dlg, IDC_FILTER_PHONE), "12+34");
    EXPECT_EQ(Caret(dlg, IDC_FILTER_PHONE), 2u);

    Type(app, dlg, IDC_FILTER_NUMBER, "1a23");
    EXPECT_EQ(Text(dlg, IDC_FILTER_NUMBER), "123");
    EXPECT_EQ(Caret(dlg, IDC_FILTER_NUMBER), 1u);

    // Several in a row, and characters outside ASCII, are all removed by the change notifications.
    Type(app, dlg, IDC_FILTER_NUMBER, "x1中y2+3é");
    EXPECT_EQ(Text(dlg, IDC_FILTER_NUMBER), "123");
    EXPECT_EQ(Caret(dlg, IDC_FILTER_NUMBER), 0u);

    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(app.Trace().find("Input value error!"), std::string::npos);
}

TEST(EditFilter, NumberEditsAreHeldToTheirBoundsWithoutAMessage) {
    App app;
    HWND dlg = OpenFilterTest(app);
    ASSERT_NE(dlg, nullptr);
    app.ClearTrace();

    // Emptying the edit shows the minimum at once, without a trace.
    Type(app, dlg, IDC_FILTER_MINUTE, "42");
    Type(app, dlg, IDC_FILTER_MINUTE, "");
    EXPECT_EQ(Text(dlg, IDC_FILTER_MINUTE), "0");
    Type(app, dlg, IDC_FILTER_MINUTE, "9a");
    EXPECT_EQ(Text(dlg, IDC_FILTER_MINUTE), "9");
    Type(app, dlg, IDC_FILTER_MINUTE, "07");
    EXPECT_EQ(Text(dlg, IDC_FILTER_MINUTE), "07");
    EXPECT_EQ(app.Trace(), "");

    // Above the maximum with the warning switch clear: clamped silently, traced.
    Type(app, dlg, IDC_FILTER_DEGREES, "181");
    EXPECT_EQ(Text(dlg, IDC_FILTER_DEGREES), "180");
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(CountOf(app.Trace(), "Input value error!"), 1u);

    // Below the minimum never warns, even with the switch set.
    app.ClearTrace();
    Type(app, dlg, IDC_FILTER_YEAR_WARN, "2015");
    EXPECT_EQ(Text(dlg, IDC_FILTER_YEAR_WARN), "2016");
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(CountOf(app.Trace(), "Input value error!"), 1u);

    // A value far too large for any number still reads as too large.
    Type(app, dlg, IDC_FILTER_DEGREES, "99999999999999999999");
    EXPECT_EQ(Text(dlg, IDC_FILTER_DEGREES), "180");
    EXPECT_FALSE(MessageBoxShown(app));
}

TEST(EditFilter, AValueAboveTheMaximumWarnsOnceWhileTheSwitchIsSet) {
    App app;
    HWND dlg = OpenFilterTest(app);
    ASSERT_NE(dlg, nullptr);
    app.ClearTrace();

    Type(app, dlg, IDC_FILTER_DEGREES_WARN, "181");
    MessageBoxInfo box = WaitMessageBox(app);
    ASSERT_NE(box.wnd, nullptr);
    EXPECT_EQ(box.caption, "Warning");
    EXPECT_EQ(box.text, "The input is out of range!");
    EXPECT_TRUE(box.warningIcon);
    EXPECT_EQ(GetWindow(box.wnd, GW_OWNER), dlg);
    DismissMessageBox(app, box);

    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(Text(dlg, IDC_FILTER_DEGREES_WARN), "180");
    EXPECT_EQ(CountOf(app.Trace(), "Input value error!"), 1u);
    EXPECT_EQ(g_bRangeWarn, 0);

    // A non-digit and a value too large in one change: still a single box.
    Type(app, dlg, IDC_FILTER_YEAR_WARN, "21x00");
    box = WaitMessageBox(app);
    ASSERT_NE(box.wnd, nullptr);
    DismissMessageBox(app, box);
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(Text(dlg, IDC_FILTER_YEAR_WARN), "2099");
}

TEST(EditFilter, RangeWarningInChinese) {
    App app;
    HWND dlg = OpenFilterTest(app);
    ASSERT_NE(dlg, nullptr);

    Type(app, dlg, IDC_FILTER_DEGREES_WARN, "200");
    MessageBoxInfo box = WaitMessageBox(app);
    ASSERT_NE(box.wnd, nullptr);
    EXPECT_EQ(box.caption, "警告");
    EXPECT_EQ(box.text, "输入内容超出范围！");
    DismissMessageBox(app, box);
    EXPECT_EQ(Text(dlg, IDC_FILTER_DEGREES_WARN), "180");
}
