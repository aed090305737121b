// Starts a built CamSetup.exe as a user would, waits for Main Setup, checks that the version it
// shows is the file version in the program's VERSIONINFO, closes it with its close box and checks
// that the program ended with exit code 0. Exit status 0 when all of this holds, 1 otherwise.
//
// Usage: MainSetupSmoke PROGRAM [CAPTION]     CAPTION defaults to "Setup" (an English system)

#include "res/resource.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const DWORD kTimeoutMs = 60000; // a first start in a fresh Wine prefix can take a while

struct Search {
    DWORD processId;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindCaption(HWND wnd, LPARAM param) {
    Search* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    wchar_t text[256] = L"";
    GetWindowTextW(wnd, text, 256);
    if (pid == s->processId && IsWindowVisible(wnd) && wcscmp(text, s->caption) == 0) {
        s->found = wnd;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of the process with this caption; null when the process ended or
// the time ran out first.
HWND WaitForWindow(HANDLE process, DWORD processId, const wchar_t* caption) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        Search s = {processId, caption, nullptr};
        EnumWindows(FindCaption, reinterpret_cast<LPARAM>(&s));
        if (s.found)
            return s.found;
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0)
            return nullptr; // ended before showing the window
    }
    return nullptr;
}

std::wstring Widen(const char* utf8) {
    std::wstring w(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], static_cast<int>(w.size()));
    w.resize(w.size() - 1);
    return w;
}

// VERSIONINFO's numeric file version as "a,b,c,d", and its "FileVersion" string; empty when the
// program has none.
void ReadFileVersion(const std::wstring& program, std::wstring* numbers, std::wstring* text) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    if (size == 0)
        return;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(program.c_str(), 0, size, block.data()))
        return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &len) && fixed) {
        wchar_t buf[64];
        swprintf(buf, 64, L"%u,%u,%u,%u", HIWORD(fixed->dwFileVersionMS),
                 LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                 LOWORD(fixed->dwFileVersionLS));
        *numbers = buf;
    }
    wchar_t* value = nullptr;
    if (VerQueryValueW(block.data(), L"\\StringFileInfo\\040904b0\\FileVersion",
                       reinterpret_cast<void**>(&value), &len) &&
        value)
        *text = value;
}

std::string Narrow(const std::wstring& w) {
    std::string s(WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr),
                  '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], static_cast<int>(s.size()), nullptr,
                        nullptr);
    s.resize(s.size() - 1);
    return s;
}

int Fail(const char* what, HANDLE process) {
    fprintf(stderr, "MainSetupSmoke: %s\n", what);
    if (process) {
        TerminateProcess(process, 99);
        CloseHandle(process);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: MainSetupSmoke PROGRAM [CAPTION]\n");
        return 2;
    }
    const std::wstring program = Widen(argv[1]);
    const std::wstring caption = Widen(argc > 2 ? argv[2] : "Setup");

    std::wstring numbers, text;
    ReadFileVersion(program, &numbers, &text);
    if (numbers.empty() || numbers != text)
        return Fail("the program's VERSIONINFO file version is missing or inconsistent", nullptr);

    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi))
        return Fail("the program could not be started", nullptr);
    CloseHandle(pi.hThread);

    HWND main = WaitForWindow(pi.hProcess, pi.dwProcessId, caption.c_str());
    if (!main)
        return Fail("Main Setup did not appear", pi.hProcess);
    wchar_t shown[64] = L"";
    GetDlgItemTextW(main, IDC_MAIN_VERSION, shown, 64);
    printf("Main Setup shows version %s; VERSIONINFO has %s\n", Narrow(shown).c_str(),
           Narrow(numbers).c_str());
    if (numbers != shown)
        return Fail("Main Setup does not show the program's file version", pi.hProcess);

    // The close box: the system command a click on it sends.
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(pi.hProcess, kTimeoutMs) != WAIT_OBJECT_0)
        return Fail("the program did not end after its close box", pi.hProcess);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    printf("the program ended with exit code %lu\n", static_cast<unsigned long>(code));
    return code == 0 ? 0 : 1;
}
