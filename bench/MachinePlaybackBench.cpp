#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/SampleDesigns.h"
#include "platform/MemoryProfileStore.h"
#include "platform/posix/PosixFileSystem.h"
#include "render/OverlayMask.h"
#include "render/OverlayTrail.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"
#include "render/RasterWindowHost.h"
#include "shell/SaverRun.h"
#include "shell/SaverWnd.h"

// Machine playback against exact playback, side by side in one run, at 1920 x 1080 on the
// largest sample: the saver's work per tick at the defaults over whole cycles, and every tick
// at DrawSpeed 1. A tick includes what the X11 driver does after it:
// taking the changed area and, in machine playback, painting the overlays and their mask for
// the parts they cover.
namespace {

using namespace vireluna;

constexpr ScreenSize LargeScreen{1920, 1080};
constexpr std::uint32_t Seed = 2026;

struct PlaybackRun {
    MemoryProfileStore profile;
    std::ostringstream messages;
    std::optional<raster::MessageLog> log;
    std::optional<raster::RasterWindowHost> host;
    PosixFileSystem files;
    std::optional<SaverRun> run;
    raster::OverlayTrail trail;
    std::vector<MachineOverlay> overlays;
    raster::RasterImage part;
    std::vector<char> mask;

    // False, with the benchmark skipped, when the sample or the emblem is missing.
    bool Start(benchmark::State& state, Playback playback, bool fastest) {
        const std::string sample = bench::LargestSampleDesign();
        raster::RasterImage logo;
        if (!std::filesystem::exists(sample) || !raster::ReadBmp(raster::DefaultLogoPath(), logo)) {
            state.SkipWithError("the large sample design or the emblem is missing");
            return false;
        }
        profile.WriteString(FileListSection, PlaylistEntryName(1), sample);
        profile.WriteInteger(ConfigSection, "Playback", static_cast<std::int32_t>(playback));
        if (fastest) profile.WriteInteger(ConfigSection, "DrawSpeed", 1);
        log.emplace(messages);
        host.emplace(LargeScreen, LargeScreen, std::move(logo), *log);
        run.emplace(RunMode::FullScreen, profile, *host, files, RunStart{Seed, std::nullopt});
        run->Start(LargeScreen);
        state.SetLabel(playback == Playback::Exact ? "exact" : "machine");
        return true;
    }

    // One timer tick and the picture put together for the screen.
    void Tick() {
        run->Step();
        raster::ChangedArea changed;
        host->TakeChangedArea(changed);
        overlays.clear();
        run->CollectOverlays(overlays);
        trail.Follow(overlays, changed);
        for (const render::PixelBox& box : changed.Boxes()) {
            const render::PixelBox shown = trail.ShownWithin(box);
            if (shown.Empty()) continue;
            raster::PaintOverlayMask(shown, overlays, part, mask);
            benchmark::DoNotOptimize(mask.data());
        }
    }
};

// Every tick at the defaults, as they come: drawing, travel, thread changes, hold, pause.
void BM_PlaybackDefaultsTick(benchmark::State& state) {
    PlaybackRun run;
    if (!run.Start(state, static_cast<Playback>(state.range(0)), false)) return;
    for (auto _ : state) run.Tick();
    state.counters["ms_per_tick"] = run.run->Window().Settings().timerPeriod;
}
BENCHMARK(BM_PlaybackDefaultsTick)
    ->ArgName("playback")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0);

// Every tick at DrawSpeed 1 (10 ms a tick): the mean and the slowest, which is the tick that
// loads and places a design in either playback.
void BM_TickAtFastestSpeed(benchmark::State& state) {
    PlaybackRun run;
    if (!run.Start(state, static_cast<Playback>(state.range(0)), true)) return;
    double slowest = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        run.Tick();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - begin;
        slowest = std::max(slowest, took.count());
    }
    state.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_TickAtFastestSpeed)
    ->ArgName("playback")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0);

}  // namespace
