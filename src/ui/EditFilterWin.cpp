// The edit filters on a dialog's edit controls. Writing the text raises the edit's change
// notification, so the owner's handler runs these routines again, nested, before the write
// returns: each call corrects one thing and leaves the rest to the next one.
#include "ui/EditFilterWin.h"

#include "common/Trace.h"
#include "lang/LanguageWin.h"
#include "ui/EditFilter.h"

#include <cstdio>
#include <string>
#include <vector>

int g_bRangeWarn = 0;

namespace {

std::wstring GetEditText(HWND edit) {
    int len = static_cast<int>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
    if (len <= 0)
        return std::wstring();
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 1, L'\0');
    int got = static_cast<int>(
        SendMessageW(edit, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data())));
    return std::wstring(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void SetEditText(HWND edit, const std::wstring& text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Writes the shortened text back and puts the caret where the removed character was.
void WriteFiltered(HWND edit, const std::wstring& text, int removedAt) {
    SetEditText(edit, text);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(removedAt), static_cast<LPARAM>(removedAt));
}

} // namespace

// A long paste re-enters deeper than the system lets a window procedure nest (under Wine after
// about thirty characters): the write at the bottom then raises no notification, or does not
// take. The deepest call whose write took carries on itself, one character per write.
void FilterEditText(HWND dlg, int id, const char* allowed) {
    HWND edit = GetDlgItem(dlg, id);
    std::wstring text = GetEditText(edit);
    for (;;) {
        if (text.empty())
            return;
        int removedAt = RemoveFirstDisallowed(text, allowed);
        if (removedAt < 0)
            return;
        WriteFiltered(edit, text, removedAt);
        const std::wstring now = GetEditText(edit);
        if (now != text)
            return; // the nested call went on, or this write did not take
    }
}

void CheckEditRange(HWND dlg, int id, uint16_t minimum, uint16_t maximum) {
    HWND edit = GetDlgItem(dlg, id);
    RangeCheck check = CheckRangeText(GetEditText(edit), minimum, maximum);
    if (check.verdict == RangeVerdict::Empty) {
        SetEditText(edit, check.corrected);
        if (check.selectWhole)
            SendMessageW(edit, EM_SETSEL, 0, -1);
        return;
    }
    // As in FilterEditText: when the nested call could not run, this one carries on.
    while (check.removedAt >= 0) {
        WriteFiltered(edit, check.filtered, check.removedAt);
        const std::wstring now = GetEditText(edit);
        if (now != check.filtered)
            break;
        RangeCheck next = CheckRangeText(now, minimum, maximum);
        if (next.removedAt < 0)
            break;
        check = next;
    }

    if (check.verdict == RangeVerdict::AboveMaximum && g_bRangeWarn) {
        // Cleared first: the box runs a message loop, and the writes re-enter this routine, so
        // one change of the user's warns once.
        g_bRangeWarn = 0;
        ShowWarningBox(dlg, kTextRangeWarning);
    }
    if (check.Traced()) {
        SetEditText(edit, check.corrected);
        TraceLine("Input value error!");
    }
}
