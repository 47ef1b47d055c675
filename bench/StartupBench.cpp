// startup_bench: how long SETUP.EXE takes from its process start to the first
// page shown (the welcome page visible), with a warm Wine server.
//
//   startup_bench SETUP.EXE [RUNS]      (default 10 runs after one not counted)
//
// Each run starts the program, looks for the visible page every millisecond
// and ends the program as soon as it is there. Prints every time, then the
// median and the spread.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const DWORD kTimeoutMs = 30000;

struct Search {
    DWORD processId;
    bool found;
};

BOOL CALLBACK MatchWelcome(HWND window, LPARAM lParam)
{
    auto* search = static_cast<Search*>(reinterpret_cast<void*>(lParam));
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char caption[64] = "";
    if (processId == search->processId && IsWindowVisible(window) &&
        GetWindowTextA(window, caption, sizeof caption) > 0 && std::string(caption) == "Welcome") {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds to the page, or a negative value when it never showed.
double TimeOneStart(const std::string& exe, const std::string& directory)
{
    std::string line = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double start = Now();
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.c_str(), &startup, &process))
        return -1;
    Search search = {process.dwProcessId, false};
    double shown = -1;
    for (DWORD began = GetTickCount(); GetTickCount() - began < kTimeoutMs;) {
        EnumWindows(&MatchWelcome, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            shown = Now() - start;
            break;
        }
        if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, kTimeoutMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return shown;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_bench SETUP.EXE [RUNS]\n");
        return 2;
    }
    char full[MAX_PATH];
    char* namePart = nullptr;
    if (GetFullPathNameA(argv[1], MAX_PATH, full, &namePart) == 0 || namePart == nullptr) {
        std::fprintf(stderr, "startup_bench: bad path %s\n", argv[1]);
        return 2;
    }
    const std::string exe = full;
    const std::string directory(full, namePart);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;

    // The first start warms Wine's caches of the program and its libraries.
    if (TimeOneStart(exe, directory) < 0) {
        std::fprintf(stderr, "startup_bench: the welcome page never showed\n");
        return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double t = TimeOneStart(exe, directory);
        if (t < 0) {
            std::fprintf(stderr, "startup_bench: the welcome page never showed\n");
            return 1;
        }
        times.push_back(t);
        std::printf("  start %d: %.0f ms\n", i + 1, t * 1000);
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2
                              ? times[times.size() / 2]
                              : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("start-up to the first page: median %.0f ms, spread %.0f-%.0f ms (%d runs)\n",
                median * 1000, times.front() * 1000, times.back() * 1000, runs);
    return 0;
}
