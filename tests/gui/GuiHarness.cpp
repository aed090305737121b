#include "GuiHarness.h"

#include "app/AppWin.h"
#include "ui/ControlsWin.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <io.h>
#include <thread>

namespace gui {

namespace {

constexpr UINT WM_HARNESS_RUN = WM_APP + 0x100;
constexpr UINT WM_HARNESS_SETTLE = WM_APP + 0x101;

// A message-only window on the UI thread. Every message loop of the program (dialogs, message
// boxes) dispatches what is posted to it, in order with the program's own posted messages.
HWND s_pump = nullptr;
std::atomic<long> s_settled{0};
long s_settleSeq = 0;
std::atomic<bool> s_ended{false};
int s_exitCode = -999;

LRESULT CALLBACK PumpProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HARNESS_RUN) {
        auto* action = reinterpret_cast<std::function<void()>*>(lParam);
        (*action)();
        delete action;
        return 0;
    }
    if (msg == WM_HARNESS_SETTLE) {
        s_settled.store(static_cast<long>(lParam));
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

DWORD WINAPI UiThread(LPVOID) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PumpProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GuiHarnessPump";
    RegisterClassW(&wc);
    s_pump = CreateWindowW(L"GuiHarnessPump", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
    s_exitCode = ShowMainSetup(GetModuleHandleW(nullptr));
    DestroyWindow(s_pump);
    s_ended = true;
    return 0;
}

// Runs action on the UI thread, asynchronously (it may open a modal window).
void RunOnUi(std::function<void()> action) {
    PostMessageW(s_pump, WM_HARNESS_RUN, 0,
                 reinterpret_cast<LPARAM>(new std::function<void()>(std::move(action))));
}

std::wstring Widen(const char* utf8) {
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring w(n > 0 ? static_cast<size_t>(n) : 1, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], n);
    w.resize(w.size() - 1);
    return w;
}

std::string Narrow(const std::wstring& w) {
    if (w.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
    s.resize(s.size() - 1);
    return s;
}

std::string WindowText(HWND wnd) {
    if (wnd == nullptr)
        return std::string();
    int len = GetWindowTextLengthW(wnd);
    std::wstring w(static_cast<size_t>(len) + 1, L'\0');
    int got = GetWindowTextW(wnd, &w[0], len + 1);
    w.resize(static_cast<size_t>(got > 0 ? got : 0));
    return Narrow(w);
}

struct FindVisible {
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectVisible(HWND wnd, LPARAM lParam) {
    if (wnd != s_pump && IsWindowVisible(wnd))
        reinterpret_cast<FindVisible*>(lParam)->windows.push_back(wnd);
    return TRUE;
}

std::vector<HWND> VisibleWindows(DWORD threadId) {
    FindVisible found;
    EnumThreadWindows(threadId, CollectVisible, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

// Message boxes are the program's only owned top-level windows.
HWND FindMessageBox(DWORD threadId) {
    for (HWND wnd : VisibleWindows(threadId)) {
        if (GetWindow(wnd, GW_OWNER) != nullptr)
            return wnd;
    }
    return nullptr;
}

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = dir + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

} // namespace

bool WaitUntil(const std::function<bool()>& cond, int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (cond())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

App::App(const std::function<void(const std::string& folder)>& prepare) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char name[64];
    snprintf(name, sizeof name, "camsetup-gui-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    folder_ = std::string(temp) + name;
    CreateDirectoryA(folder_.c_str(), nullptr);
    if (prepare)
        prepare(folder_);
    SetCurrentDirectoryA(folder_.c_str());

    // The program's trace goes to standard output: capture it in a file.
    traceFile_ = std::string(temp) + name + ".trace.txt";
    fflush(stdout);
    savedStdout_ = _dup(_fileno(stdout));
    if (freopen(traceFile_.c_str(), "wb", stdout) != nullptr)
        setvbuf(stdout, nullptr, _IONBF, 0);

    thread_ = CreateThread(nullptr, 0, UiThread, nullptr, 0, &uiThreadId_);
    WaitUntil([] { return s_pump != nullptr; });
}

App::~App() {
    // Close whatever is open until the program ends: answer boxes, close windows.
    WaitUntil(
        [this] {
            if (s_ended)
                return true;
            HWND box = FindMessageBox(uiThreadId_);
            if (box != nullptr) {
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            } else {
                std::vector<HWND> windows = VisibleWindows(uiThreadId_);
                if (!windows.empty())
                    PostMessageW(windows.front(), WM_CLOSE, 0, 0);
            }
            Sleep(30);
            return s_ended.load();
        },
        20000);
    EXPECT_TRUE(s_ended.load()) << "the program did not end";
    if (s_ended) {
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
    }

    fflush(stdout);
    if (savedStdout_ >= 0) {
        _dup2(savedStdout_, _fileno(stdout));
        _close(savedStdout_);
    }
    if (::testing::Test::HasFailure()) {
        printf("---- program trace and failures ----\n%s\n------------------------------------\n",
               Trace().c_str());
    }
    fflush(stdout);
    DeleteFileA(traceFile_.c_str());
    SetCurrentDirectoryA("C:\\");
    RemoveTree(Widen(folder_.c_str()));
}

std::string App::FilePath(const char* name) const {
    return folder_ + "\\" + name;
}

HWND App::Wait(const char* caption, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND wnd : VisibleWindows(uiThreadId_)) {
                if (WindowText(wnd) == caption) {
                    found = wnd;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    EXPECT_NE(found, nullptr) << "no window \"" << caption << "\"; visible: \""
                              << Caption(Visible()) << "\"";
    return found;
}

HWND App::Visible() const {
    HWND box = FindMessageBox(uiThreadId_);
    if (box != nullptr)
        return box;
    std::vector<HWND> windows = VisibleWindows(uiThreadId_);
    return windows.empty() ? nullptr : windows.front();
}

void App::Settle() {
    if (s_ended)
        return;
    long seq = ++s_settleSeq;
    PostMessageW(s_pump, WM_HARNESS_SETTLE, 0, seq);
    bool ok = WaitUntil([seq] { return s_settled.load() >= seq || s_ended.load(); });
    EXPECT_TRUE(ok) << "the program did not come back to a message loop";
}

void App::Close(HWND wnd) {
    PostMessageW(wnd, WM_CLOSE, 0, 0);
    Settle();
}

int App::WaitExit(int timeoutMs) {
    if (!WaitUntil([] { return s_ended.load(); }, timeoutMs))
        return -999;
    return s_exitCode;
}

std::string App::Trace() const {
    fflush(stdout);
    std::vector<uint8_t> bytes = ReadFileBytes(traceFile_);
    std::string all(bytes.begin(), bytes.end());
    return traceStart_ < all.size() ? all.substr(traceStart_) : std::string();
}

void App::ClearTrace() {
    fflush(stdout);
    traceStart_ = ReadFileBytes(traceFile_).size();
}

MessageBoxInfo WaitMessageBox(App& app, int timeoutMs) {
    MessageBoxInfo info;
    WaitUntil([&] { return (info.wnd = FindMessageBox(app.UiThreadId())) != nullptr; }, timeoutMs);
    if (info.wnd == nullptr)
        return info;
    app.Settle();
    info.caption = WindowText(info.wnd);
    HICON warning = LoadIconW(nullptr, IDI_EXCLAMATION);
    HICON information = LoadIconW(nullptr, IDI_ASTERISK);
    for (HWND child = GetWindow(info.wnd, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (lstrcmpiW(cls, L"Static") != 0)
            continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            info.warningIcon = icon != nullptr && icon == warning;
            info.infoIcon = icon != nullptr && icon == information;
        } else if (info.text.empty()) {
            info.text = WindowText(child);
        }
    }
    return info;
}

void DismissMessageBox(App& app, const MessageBoxInfo& box) {
    if (box.wnd == nullptr)
        return;
    PostMessageW(box.wnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.wnd, IDOK)));
    WaitUntil([&] { return !IsWindow(box.wnd) || !IsWindowVisible(box.wnd); });
    app.Settle();
}

void AnswerNoticeBox(App& app, const char* caption, const char* text) {
    MessageBoxInfo box = WaitMessageBox(app);
    ASSERT_NE(box.wnd, nullptr) << "no \"" << text << "\" box";
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(box.infoIcon);
    DismissMessageBox(app, box);
}

bool MessageBoxShown(App& app) {
    app.Settle();
    return FindMessageBox(app.UiThreadId()) != nullptr;
}

void Choose(App& app, HWND dlg, int id, int index) {
    RunOnUi([dlg, id, index] {
        HWND combo = GetDlgItem(dlg, id);
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(combo));
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    });
    app.Settle();
}

void Choose(App& app, HWND dlg, int id, const char* item) {
    std::vector<std::string> items = Items(dlg, id);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == item) {
            Choose(app, dlg, id, static_cast<int>(i));
            return;
        }
    }
    ADD_FAILURE() << "list " << id << " has no item \"" << item << "\"";
}

void Type(App& app, HWND dlg, int id, const char* utf8) {
    std::wstring text = Widen(utf8);
    RunOnUi([dlg, id, text] { SetDlgItemTextW(dlg, id, text.c_str()); });
    app.Settle();
}

void Click(App& app, HWND dlg, int id) {
    RunOnUi([dlg, id] {
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    });
    app.Settle();
}

void SetCheck(App& app, HWND dlg, int id, bool checked) {
    RunOnUi([dlg, id, checked] {
        CheckDlgButton(dlg, id, checked ? BST_CHECKED : BST_UNCHECKED);
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    });
    app.Settle();
}

void LeaveEdit(App& app, HWND dlg, int id) {
    RunOnUi([dlg, id] {
        SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    });
    app.Settle();
}

void OnUiThread(App& app, const std::function<void()>& action) {
    RunOnUi(action);
    app.Settle();
}

void Focus(App& app, HWND dlg, int id) {
    RunOnUi([dlg, id] {
        SendMessageW(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, id)), TRUE);
    });
    app.Settle();
    app.Settle(); // and what the window posted itself on getting the focus
}

void Command(App& app, HWND dlg, int id) {
    RunOnUi([dlg, id] { SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, 0), 0); });
    app.Settle();
}

std::string Text(HWND dlg, int id) {
    return WindowText(GetDlgItem(dlg, id));
}

std::string Caption(HWND wnd) {
    return WindowText(wnd);
}

bool Enabled(HWND dlg, int id) {
    return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE;
}

bool Visible(HWND dlg, int id) {
    return (GetWindowLongW(GetDlgItem(dlg, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

int Selection(HWND dlg, int id) {
    return static_cast<int>(SendDlgItemMessageW(dlg, id, CB_GETCURSEL, 0, 0));
}

std::string SelectedText(HWND dlg, int id) {
    int sel = Selection(dlg, id);
    if (sel < 0)
        return std::string();
    std::vector<std::string> items = Items(dlg, id);
    return sel < static_cast<int>(items.size()) ? items[static_cast<size_t>(sel)] : std::string();
}

std::vector<std::string> Items(HWND dlg, int id) {
    std::vector<std::string> items;
    int count = static_cast<int>(SendDlgItemMessageW(dlg, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        int len = static_cast<int>(SendDlgItemMessageW(dlg, id, CB_GETLBTEXTLEN, i, 0));
        std::wstring w(static_cast<size_t>(len > 0 ? len : 0) + 1, L'\0');
        SendDlgItemMessageW(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&w[0]));
        w.resize(static_cast<size_t>(len > 0 ? len : 0));
        items.push_back(Narrow(w));
    }
    return items;
}

bool Checked(HWND dlg, int id) {
    return IsDlgButtonChecked(dlg, id) == BST_CHECKED;
}

wchar_t PasswordChar(HWND dlg, int id) {
    return static_cast<wchar_t>(SendDlgItemMessageW(dlg, id, EM_GETPASSWORDCHAR, 0, 0));
}

int TextLimit(HWND dlg, int id) {
    return static_cast<int>(SendDlgItemMessageW(dlg, id, EM_GETLIMITTEXT, 0, 0));
}

namespace {

// Starts camfile.exe with its standard handles on out.
HANDLE StartCamfileWith(const std::vector<std::string>& args, HANDLE out) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring exe = self;
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"camfile.exe";
    std::wstring line = L"\"" + exe + L"\"";
    for (const std::string& a : args)
        line += L" \"" + Utf8ToWide(a.c_str()) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = si.hStdOutput = si.hStdError = out;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

HANDLE OpenOutput(const std::string& outPath) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return outPath.empty()
               ? CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                             nullptr)
               : CreateFileW(Utf8ToWide(outPath.c_str()).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                             &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

int WaitCamfile(HANDLE process) {
    if (process == nullptr)
        return -1;
    DWORD code = 0;
    int status = -1;
    if (WaitForSingleObject(process, kTimeoutMs * 3) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(process, &code))
        status = static_cast<int>(code);
    CloseHandle(process);
    return status;
}

HANDLE StartCamfile(const std::vector<std::string>& args) {
    HANDLE out = OpenOutput("");
    if (out == INVALID_HANDLE_VALUE)
        return nullptr;
    HANDLE process = StartCamfileWith(args, out);
    CloseHandle(out);
    return process;
}

CamfileRun RunCamfile(const std::vector<std::string>& args, const std::string& outPath) {
    CamfileRun run;
    HANDLE out = OpenOutput(outPath);
    if (out == INVALID_HANDLE_VALUE)
        return run;
    run.status = WaitCamfile(StartCamfileWith(args, out));
    CloseHandle(out);
    if (!outPath.empty()) {
        const std::vector<uint8_t> bytes = ReadFileBytes(outPath);
        run.out.assign(bytes.begin(), bytes.end());
    }
    return run;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    int c;
    while ((c = fgetc(f)) != EOF)
        bytes.push_back(static_cast<uint8_t>(c));
    fclose(f);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SystemIsChinese() {
    return GetSystemDefaultLangID() == 0x0804;
}

const char* WindowTitle(const char* english) {
    if (!SystemIsChinese())
        return english;
    const std::string e = english;
    if (e == "Setup")
        return "设置";
    if (e == "Camera Setup")
        return "相机设置";
    if (e == "3G Parameter Settings")
        return "3G参数设置";
    return "3G发送设置";
}

} // namespace gui
