#include "ui/ControlsWin.h"

#include "ui/EditFilter.h"

#include <commctrl.h>

#include <vector>

extern HINSTANCE g_hInstance;

std::wstring Utf8ToWide(const char* utf8) {
    if (utf8 == nullptr || *utf8 == '\0')
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

std::string WideToUtf8(const wchar_t* wide) {
    if (wide == nullptr || *wide == L'\0')
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0)
        return std::string();
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], n, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(n - 1));
    return utf8;
}

namespace {

// Code pages for which WideCharToMultiByte refuses WC_NO_BEST_FIT_CHARS and a used-default
// pointer (UTF-7, UTF-8, GB 18030, ISO-2022, ISCII and Symbol).
bool TakesNoConversionFlags(UINT codePage) {
    return codePage == CP_UTF7 || codePage == CP_UTF8 || codePage == 54936 || codePage == 42 ||
           (codePage >= 50220 && codePage <= 50229) || (codePage >= 57002 && codePage <= 57011);
}

UINT ResolveCodePage(UINT codePage) {
    return codePage == CP_ACP ? GetACP() : codePage;
}

} // namespace

std::wstring CodePageToWide(const char* bytes, size_t len, UINT codePage) {
    std::wstring wide;
    if (bytes == nullptr || len == 0)
        return wide;
    const int n = MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(len), nullptr, 0);
    if (n > 0) {
        wide.resize(static_cast<size_t>(n));
        MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(len), &wide[0], n);
    }
    return wide;
}

std::string WideToCodePage(const std::wstring& wide, UINT codePage, size_t maxBytes) {
    std::string out;
    size_t i = 0;
    while (i < wide.size()) {
        // One character at a time (a surrogate pair counts as one), so none is ever split.
        const size_t units = (IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size()) ? 2 : 1;
        char bytes[8];
        const int n = WideCharToMultiByte(codePage, 0, &wide[i], static_cast<int>(units), bytes,
                                          sizeof bytes, nullptr, nullptr);
        if (n <= 0 || out.size() + static_cast<size_t>(n) > maxBytes)
            break;
        out.append(bytes, static_cast<size_t>(n));
        i += units;
    }
    return out;
}

bool WideToCodePageExact(const wchar_t* wide, UINT codePage, std::string& out) {
    out.clear();
    if (wide == nullptr || *wide == L'\0')
        return true;
    const UINT cp = ResolveCodePage(codePage);
    const bool plain = TakesNoConversionFlags(cp);
    const DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* usedDefault = plain ? nullptr : &lossy;
    const int n = WideCharToMultiByte(cp, flags, wide, -1, nullptr, 0, nullptr, usedDefault);
    if (n <= 0 || lossy)
        return false;
    std::string bytes(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(cp, flags, wide, -1, &bytes[0], n, nullptr, usedDefault) != n || lossy)
        return false;
    bytes.resize(static_cast<size_t>(n - 1));
    // Where the flags are refused, the way back tells: a character without a form (a lone
    // surrogate, say) does not come back as itself.
    if (plain && CodePageToWide(bytes.data(), bytes.size(), cp) != wide)
        return false;
    out.swap(bytes);
    return true;
}

void SetWindowTextUtf8(HWND wnd, const char* utf8) {
    SetWindowTextW(wnd, Utf8ToWide(utf8).c_str());
}

void SetDlgItemTextUtf8(HWND dlg, int id, const char* utf8) {
    SetDlgItemTextW(dlg, id, Utf8ToWide(utf8).c_str());
}

static std::wstring GetDlgItemTextWide(HWND dlg, int id) {
    HWND ctl = GetDlgItem(dlg, id);
    int len = GetWindowTextLengthW(ctl);
    if (len <= 0)
        return std::wstring();
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 1, L'\0');
    int got = GetWindowTextW(ctl, buf.data(), len + 1);
    return std::wstring(buf.data(), static_cast<size_t>(got > 0 ? got : 0));
}

std::string GetDlgItemTextUtf8(HWND dlg, int id) {
    return WideToUtf8(GetDlgItemTextWide(dlg, id).c_str());
}

void SetDlgItemField(HWND dlg, int id, const char* field, size_t capacity) {
    size_t len = 0;
    while (len < capacity && field[len] != '\0')
        ++len;
    SetDlgItemTextW(dlg, id, CodePageToWide(field, len, CP_ACP).c_str());
}

size_t GetDlgItemField(HWND dlg, int id, char* field, size_t capacity, size_t maxBytes) {
    if (capacity == 0)
        return 0;
    size_t limit = capacity - 1;
    if (maxBytes != 0 && maxBytes < limit)
        limit = maxBytes;
    const std::string bytes = WideToCodePage(GetDlgItemTextWide(dlg, id), CP_ACP, limit);
    memcpy(field, bytes.data(), bytes.size());
    memset(field + bytes.size(), 0, capacity - bytes.size());
    return bytes.size();
}

bool GetDlgItemNumber(HWND dlg, int id, long* value) {
    return ParseNumberText(GetDlgItemTextWide(dlg, id), value);
}

void ComboReset(HWND dlg, int id) {
    SendDlgItemMessageW(dlg, id, CB_RESETCONTENT, 0, 0);
}

void ComboAddUtf8(HWND dlg, int id, const char* utf8) {
    SendDlgItemMessageW(dlg, id, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(Utf8ToWide(utf8).c_str()));
}

ListNotice ListNoticeOf(int code) {
    return code == CBN_SELCHANGE  ? ListNotice::SelectionMoved
           : code == CBN_SELENDOK ? ListNotice::ChoiceEnded
                                  : ListNotice::Other;
}

int ComboGetSel(HWND dlg, int id) {
    return static_cast<int>(SendDlgItemMessageW(dlg, id, CB_GETCURSEL, 0, 0));
}

void ComboFitDroppedWidth(HWND dlg, int id) {
    HWND combo = GetDlgItem(dlg, id);
    HDC dc = GetDC(combo);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    int widest = 0;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        int len = static_cast<int>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0));
        if (len <= 0)
            continue;
        std::vector<wchar_t> item(static_cast<size_t>(len) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        SIZE size = {};
        GetTextExtentPoint32W(dc, item.data(), len, &size);
        if (size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(combo, dc);
    const int margins = 4 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL);
    SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + margins), 0);
}

void ComboSetSel(HWND dlg, int id, int index) {
    SendDlgItemMessageW(dlg, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int RunModalDialog(HINSTANCE instance, int templateId, DLGPROC proc) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), nullptr, proc, 0));
}

void SetSmallIcon(HWND wnd, int iconId) {
    HICON icon = static_cast<HICON>(LoadImageW(g_hInstance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessageW(wnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void EnableDlgItem(HWND dlg, int id, bool enable) {
    EnableWindow(GetDlgItem(dlg, id), enable ? TRUE : FALSE);
}

void ShowDlgItem(HWND dlg, int id, bool show) {
    ShowWindow(GetDlgItem(dlg, id), show ? SW_SHOW : SW_HIDE);
}
