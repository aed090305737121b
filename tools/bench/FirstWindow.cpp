// Times the first window of a program and of its yardsticks, started one after the other, round
// after round: from the start of the process to its first visible top-level window, which is
// then closed by its close box. Prints each round, the medians and the program's ratio to each.
//
// Usage: FirstWindow ROUNDS PROGRAM BASELINE...
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
    if (argc < 4) {
        fprintf(stderr, "usage: FirstWindow ROUNDS PROGRAM BASELINE...\n");
        return 2;
    }
    const int rounds = atoi(argv[1]);
    std::vector<std::wstring> programs;
    for (int i = 2; i < argc; ++i)
        programs.push_back(Widen(argv[i]));
    TimeFirstWindow(programs[1]); // the first start of all loads what they share; not counted
    std::vector<std::vector<double>> times(programs.size());
    for (int round = 1; round <= rounds; ++round) {
        printf("round %2d:", round);
        for (size_t k = 0; k < programs.size(); ++k) {
            const double t = TimeFirstWindow(programs[k]);
            if (t < 0) {
                fprintf(stderr, "FirstWindow: %s showed no window\n", argv[k + 2]);
                return 1;
            }
            times[k].push_back(t);
            printf(" %7.1f ms", t);
        }
        printf("\n");
    }
    // The fastest start too: on a busy machine it shows what the programs cost better than the
    // median.
    const auto fastest = [](const std::vector<double>& v) {
        return *std::min_element(v.begin(), v.end());
    };
    const double program = Median(times[0]), programFastest = fastest(times[0]);
    printf("median of %d: %.1f ms (fastest %.1f ms)\n", rounds, program, programFastest);
    for (size_t k = 1; k < programs.size(); ++k) {
        const double base = Median(times[k]), baseFastest = fastest(times[k]);
        printf("against %s: %.1f ms, ratio %.3f (fastest %.1f ms, ratio %.3f)\n", argv[k + 2], base,
               program / base, baseFastest, programFastest / baseFastest);
    }
    return 0;
}
