// The soak run of the real saver under Wine: VirelunaLogo.scr /s plays small designs with
// DrawSpeed 1 and HoldTime 0, and every so many designs the saver process's GDI objects,
// windows, kernel handles and memory are printed. Objects or memory that grow from the first
// sample to the last are a leak. Prints figures; fails only when it cannot run.
//
// Usage: saver_soak.exe COUNTER DESIGNS EVERY MONITORS DESIGN.pxs...
// The saver is VIRELUNA_E2E_SAVER. COUNTER is a file that grows by one byte each time a design
// file is opened, on any monitor; the script that starts this program keeps it
// (bench/wine-soak.sh). MONITORS is the desk the saver covers (VIRELUNA_MONITORS), or "-" for
// the system's own.
#include <windows.h>
// after windows.h, which it builds on
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/windriver/Input.h"
#include "tools/windriver/SaverProcess.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/TestPaths.h"

namespace {

using namespace vireluna::e2e;

constexpr unsigned long SoakDrawSpeed = 1;
constexpr unsigned long SoakHoldTime = 0;
// A design takes a few ticks; this long without one means the saver has stopped playing.
constexpr auto StalledFor = 30s;
constexpr double Mebibyte = 1024.0 * 1024.0;
constexpr std::wstring_view SystemMonitors = L"-";

struct Sample {
    long designs = 0;
    int gdiObjects = 0;
    int windows = 0;
    int handles = 0;
    double workingSetMiB = 0;
    double pagefileMiB = 0;  // what Wine reports as private bytes' nearest figure
};

// The designs opened so far: the counter file's length.
long DesignsOpened(const std::wstring& counter) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(counter.c_str(), GetFileExInfoStandard, &attributes)) return 0;
    return static_cast<long>(attributes.nFileSizeLow);
}

Sample Take(const SaverProcess& saver, long designs) {
    Sample sample;
    sample.designs = designs;
    sample.gdiObjects = saver.SettledGdiObjectCount();
    sample.windows = saver.WindowCount();
    sample.handles = saver.HandleCount();
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(saver.Handle(), &memory, sizeof memory)) {
        sample.workingSetMiB = memory.WorkingSetSize / Mebibyte;
        sample.pagefileMiB = memory.PagefileUsage / Mebibyte;
    }
    return sample;
}

void Print(const Sample& sample, double seconds) {
    std::printf("%8ld %6d %8d %8d %12.2f %12.2f %9.1f\n", sample.designs, sample.gdiObjects,
                sample.windows, sample.handles, sample.workingSetMiB, sample.pagefileMiB, seconds);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: saver_soak COUNTER DESIGNS EVERY MONITORS DESIGN...\n");
        return 2;
    }
    const std::wstring counter = argv[1];
    const long designs = _wtol(argv[2]);
    const long every = _wtol(argv[3]);
    if (designs <= 0 || every <= 0) {
        std::fprintf(stderr, "saver_soak: DESIGNS and EVERY must be positive\n");
        return 2;
    }
    const std::wstring monitors = argv[4];
    const std::vector<std::wstring> playlist(argv + 5, argv + argc);
    SaverProfile::Reset();
    SaverProfile::SetNumber(L"DrawSpeed", SoakDrawSpeed);
    SaverProfile::SetNumber(L"HoldTime", SoakHoldTime);
    SaverProfile::SetPlaylist(playlist);
    input::MoveTo(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);

    const long before = DesignsOpened(counter);
    std::map<std::string, std::string> environment;
    if (monitors != SystemMonitors) environment["VIRELUNA_MONITORS"] = Narrow(monitors);
    SaverProcess saver(L"/s", environment);
    if (!saver.Started() || saver.WaitForWindow(L"") == nullptr) {
        std::fprintf(stderr, "saver_soak: the saver did not start\n");
        return 1;
    }
    std::printf(
        "soak under Wine: screen %dx%d, monitors %ls, DrawSpeed %lu, HoldTime %lu, %zu "
        "designs; designs counted on all monitors together\n",
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
        monitors == SystemMonitors ? L"the system's" : monitors.c_str(), SoakDrawSpeed,
        SoakHoldTime, playlist.size());
    std::printf("%8s %6s %8s %8s %12s %12s %9s\n", "designs", "GDI", "windows", "handles",
                "working MiB", "pagefile MiB", "seconds");

    const Clock::time_point start = Clock::now();
    std::optional<Sample> first;
    Sample last;
    long next = every;
    long played = 0;
    Clock::time_point progress = start;
    while (played < designs) {
        Sleep(static_cast<DWORD>(std::chrono::milliseconds(PollInterval).count()));
        if (!saver.Running()) {
            std::fprintf(stderr, "saver_soak: the saver ended after %ld designs\n", played);
            SaverProfile::Reset();
            return 1;
        }
        const long now = DesignsOpened(counter) - before;
        if (now != played) progress = Clock::now();
        played = now;
        if (Clock::now() - progress > StalledFor) {
            std::fprintf(stderr, "saver_soak: no design opened for 30 s, after %ld\n", played);
            SaverProfile::Reset();
            return 1;
        }
        if (played < next) continue;
        last = Take(saver, played);
        if (!first) first = last;
        Print(last, std::chrono::duration<double>(Clock::now() - start).count());
        while (next <= played) next += every;
    }
    if (first && last.designs > first->designs) {
        std::printf(
            "growth from %ld to %ld designs: GDI %+d, windows %+d, handles %+d, working set "
            "%+.2f MiB, pagefile %+.2f MiB\n",
            first->designs, last.designs, last.gdiObjects - first->gdiObjects,
            last.windows - first->windows, last.handles - first->handles,
            last.workingSetMiB - first->workingSetMiB, last.pagefileMiB - first->pagefileMiB);
    }
    input::Key(VK_SPACE);
    const std::optional<DWORD> code = saver.WaitForExit();
    SaverProfile::Reset();
    if (code) {
        std::printf("the saver ended on a key with exit code %lu\n", *code);
    } else {
        std::printf("the saver did not end on a key within 10 s\n");
    }
    return 0;
}
