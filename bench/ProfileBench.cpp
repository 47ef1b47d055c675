// profile_bench: how long the reader takes over a large install profile:
// 10 000 file entries in 100 groups (with destinations, targets and
// diskettes), read by the five loads in the reading page's order.
//
//   profile_bench [DIRECTORY] [RUNS]     (defaults: the current directory, 5)
//
// Each run reads a fresh copy of the profile under a new name, so that no run
// finds it already parsed by the system. Prints every time, then the median
// and the spread.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "profile/DestinationMap.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroupMap.h"
#include "profile/InstallItemList.h"
#include "profile/ShortcutTargetMap.h"

namespace {

const int kGroups = 100;
const int kEntriesPerGroup = 100;
const int kDiskettes = 20;

std::string MakeProfile()
{
    std::string text = "[destinations]\r\n0=BENCH\r\n";
    for (int d = 1; d <= 9; ++d)
        text += std::to_string(d) + "=SUB" + std::to_string(d) + "|0\r\n";
    text += "[groups]\r\n";
    for (int g = 0; g < kGroups; ++g)
        text += "Group" + std::to_string(g) + "=Group " + std::to_string(g) + "|Files|1|1|1\r\n";
    for (int g = 0; g < kGroups; ++g) {
        text += "[Group" + std::to_string(g) + "]\r\n";
        for (int e = 0; e < kEntriesPerGroup; ++e) {
            const int n = g * kEntriesPerGroup + e;
            // Diskettes spread over the whole set, a few items marked: the
            // list's ordering rule has work to do.
            int diskette = 1 + (n * 7) % kDiskettes;
            if (n % 13 == 0)
                diskette = -diskette;
            char line[128];
            std::snprintf(line, sizeof line, "F%05d.DAT=%d|0|1|%d|%d|text %d\r\n", n, 1000 + n,
                          diskette, n % 10, n);
            text += line;
        }
    }
    text += "[targets]\r\n";
    for (int t = 0; t < 100; ++t)
        text += "F" + std::to_string(10000 + t).substr(1) + ".DAT=0|0|0|File " + std::to_string(t) +
                "|/s|icon.ico|\r\n";
    text += "[diskettes]\r\n";
    for (int d = 1; d <= kDiskettes; ++d)
        text += std::to_string(d) + "=Disk " + std::to_string(d) + "|\r\n";
    return text;
}

void SetOldModificationTime(const char* path)
{
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= 24ULL * 3600 * 10000000; // a day earlier
    FILETIME old = {t.LowPart, t.HighPart};
    SetFileTime(file, nullptr, nullptr, &old);
    CloseHandle(file);
}

double Now()
{
    LARGE_INTEGER frequency, count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string directory = argc > 1 ? argv[1] : ".";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string text = MakeProfile();

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        char full[MAX_PATH];
        const std::string name = directory + "\\profile-bench-" + std::to_string(run) + "-" +
                                 std::to_string(GetCurrentProcessId()) + ".ini";
        if (GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr) == 0) {
            std::fprintf(stderr, "profile_bench: bad directory %s\n", directory.c_str());
            return 2;
        }
        std::ofstream(full, std::ios::binary) << text;
        // A profile as it ships, written long ago: the system reads a file
        // changed within the last moments again at every call.
        SetOldModificationTime(full);

        CDestinationMap destinations;
        CFileGroupMap groups;
        CShortcutTargetMap targets;
        CInstallItemList items;
        CDisketteArray diskettes;
        const double start = Now();
        destinations.LoadDestinations(full);
        const double first = Now();
        groups.LoadGroups(full);
        const double second = Now();
        targets.LoadTargets(full);
        const double itemsStart = Now();
        items.LoadItems(full, groups);
        const double itemsEnd = Now();
        diskettes.LoadDiskettes(full);
        const double elapsed = Now() - start;
        // The system's share: the same number of value reads, of one value.
        char value[256];
        const double readsStart = Now();
        for (int i = 0; i < kGroups * kEntriesPerGroup; ++i)
            GetPrivateProfileStringA("Group50", "F05000.DAT", "", value, sizeof value, full);
        const double reads = Now() - readsStart;
        DeleteFileA(full);

        if (items.GetCount() != static_cast<size_t>(kGroups * kEntriesPerGroup)) {
            std::fprintf(stderr, "profile_bench: %u items read, not %d\n",
                         static_cast<unsigned>(items.GetCount()), kGroups * kEntriesPerGroup);
            return 1;
        }
        times.push_back(elapsed);
        std::printf("  read %d: %.0f ms (destinations with the system's first parse %.0f ms, "
                    "groups %.0f ms, targets %.0f ms, items %.0f ms; %d value reads of one value "
                    "alone %.0f ms)\n",
                    run + 1, elapsed * 1000, (first - start) * 1000, (second - first) * 1000,
                    (itemsStart - second) * 1000, (itemsEnd - itemsStart) * 1000,
                    kGroups * kEntriesPerGroup, reads * 1000);
    }
    std::sort(times.begin(), times.end());
    const size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("profile of %d entries in %d groups: median %.0f ms, spread %.0f-%.0f ms\n",
                kGroups * kEntriesPerGroup, kGroups, median * 1000, times.front() * 1000,
                times.back() * 1000);
    return 0;
}
