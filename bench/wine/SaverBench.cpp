// Measures the running saver under Wine from the outside, the way a user would time it: from
// starting VirelunaLogo.scr to its first stitch on the screen, and how many ticks a second it
// reaches against its 30 ms period. Prints figures; never fails on timing.
//
// Usage: saver_bench.exe DESIGN.pxs TICKS   (the saver in VIRELUNA_E2E_SAVER, default settings)
#include <windows.h>
// after windows.h, which it builds on
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <string>

#include "tools/windriver/Input.h"
#include "tools/windriver/Picture.h"
#include "tools/windriver/SaverProcess.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/SaverResources.h"
#include "tools/windriver/TestPaths.h"

namespace {

using namespace vireluna::e2e;

constexpr auto FirstStitchLimit = 30s;
constexpr auto RunLimit = 600s;
constexpr auto StillFor = 2s;  // no change for this long: the last tick has been drawn
constexpr auto Look = 5ms;

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

bool HasStitch(const Picture& screen, const std::set<std::uint32_t>& threads) {
    // The notice and the emblem come first; stitches are the thread colours, looked for on
    // every other row and column, which still meets every line.
    for (int y = 0; y < screen.Height(); y += 2)
        for (int x = 0; x < screen.Width(); x += 2)
            if (threads.count(Packed(screen.At(x, y))) != 0) return true;
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: saver_bench DESIGN TICKS\n");
        return 2;
    }
    const std::wstring design = argv[1];
    const int ticks = _wtoi(argv[2]);
    const std::set<std::uint32_t> threads = ThreadColours(design);
    if (threads.empty()) {
        std::fprintf(stderr, "saver_bench: cannot read %ls\n", design.c_str());
        return 1;
    }
    SaverProfile::Reset();
    SaverProfile::SetPlaylist({design});
    input::MoveTo(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);

    const Clock::time_point start = Clock::now();
    SaverProcess saver(L"/s", {{"VIRELUNA_TICKS", std::to_string(ticks)}});
    if (!saver.Started()) return 1;
    Clock::time_point firstStitch{};
    Picture last;
    const bool stitched = WaitUntil(
        [&] {
            last = Picture::FromScreen();
            firstStitch = Clock::now();
            return HasStitch(last, threads);
        },
        FirstStitchLimit);
    if (!stitched) {
        std::fprintf(stderr, "saver_bench: no stitch on the screen\n");
        return 1;
    }
    Clock::time_point lastChange = firstStitch;
    WaitUntil(
        [&] {
            Picture now = Picture::FromScreen();
            const Clock::time_point seen = Clock::now();
            if (!(now == last)) {
                last = std::move(now);
                lastChange = seen;
            }
            Sleep(static_cast<DWORD>(std::chrono::milliseconds(Look).count()));
            return seen - lastChange >= StillFor;
        },
        RunLimit);
    // The first stitch is drawn on the first tick, the last change on the last one.
    const double drawing = Seconds(lastChange - firstStitch);
    std::printf("screen: %dx%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    std::printf("start to first stitch: %.3f s\n", Seconds(firstStitch - start));
    std::printf("ticks: %d in %.2f s: %.1f ticks per second (period 30 ms: 33.3)\n", ticks, drawing,
                drawing > 0 ? (ticks - 1) / drawing : 0.0);
    PROCESS_MEMORY_COUNTERS memory{};
    if (GetProcessMemoryInfo(saver.Handle(), &memory, sizeof memory)) {
        constexpr double Megabyte = 1024.0 * 1024.0;
        std::printf("peak working set as Windows reports it: %.1f MB (private %.1f MB)\n",
                    memory.PeakWorkingSetSize / Megabyte, memory.PagefileUsage / Megabyte);
    }
    input::Key(VK_SPACE);
    const std::optional<DWORD> code = saver.WaitForExit();
    SaverProfile::Reset();
    return code == std::optional<DWORD>(0) ? 0 : 1;
}
