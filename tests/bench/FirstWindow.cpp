// Times the first window of two programs, started one after the other, pair after pair: from the
// start of the process to its first visible top-level window, which is then closed by its close
// box. Prints each pair, the medians and their ratio.
//
// Usage: FirstWindow PAIRS PROGRAM BASELINE
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const DWORD kTimeoutMs = 60000;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND wnd, LPARAM param) {
    Search* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == s->processId && IsWindowVisible(wnd)) {
        s->found = wnd;
        return FALSE;
    }
    return TRUE;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds to the program's first visible window; negative when it never showed one.
double TimeFirstWindow(const std::wstring& program) {
    std::wstring line = L"\"" + program + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    const double start = Now();
    if (!CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return -1;
    double shown = -1;
    HWND wnd = nullptr;
    while (Now() - start < kTimeoutMs) {
        Search s = {pi.dwProcessId, nullptr};
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
        if (s.found != nullptr) {
            shown = Now() - start;
            wnd = s.found;
            break;
        }
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (wnd != nullptr)
        PostMessageW(wnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return shown;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::wstring Widen(const char* text) {
    return std::wstring(text, text + strlen(text));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: FirstWindow PAIRS PROGRAM BASELINE\n");
        return 2;
    }
    const int pairs = atoi(argv[1]);
    const std::wstring program = Widen(argv[2]), baseline = Widen(argv[3]);
    TimeFirstWindow(baseline); // the first start of all loads what both share; not counted
    std::vector<double> a, b;
    for (int i = 0; i < pairs; ++i) {
        const double ta = TimeFirstWindow(program);
        const double tb = TimeFirstWindow(baseline);
        if (ta < 0 || tb < 0) {
            fprintf(stderr, "FirstWindow: no window in pair %d\n", i + 1);
            return 1;
        }
        a.push_back(ta);
        b.push_back(tb);
        printf("pair %2d: program %7.1f ms, bare dialog %7.1f ms\n", i + 1, ta, tb);
    }
    const double ma = Median(a), mb = Median(b);
    printf("first window, median of %d: program %.1f ms, bare dialog %.1f ms, ratio %.3f\n", pairs,
           ma, mb, ma / mb);
    return 0;
}
