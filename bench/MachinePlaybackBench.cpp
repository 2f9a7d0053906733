#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "bench/LargeScreenRun.h"
#include "raster/OverlayMask.h"
#include "raster/OverlayTrail.h"

// Machine playback against exact playback, side by side in one run, at 1920 x 1080 on the
// largest sample: the saver's work per tick at the defaults over whole cycles, and every tick
// at DrawSpeed 1. A tick includes what the X11 driver does after it:
// taking the changed area and, in machine playback, painting the overlays and their mask for
// the parts they cover.
namespace {

using namespace vireluna;

// The run in the playback given, with what the X11 driver keeps to show the overlays.
struct PlaybackRun : bench::LargeScreenRun {
    raster::OverlayTrail trail;
    std::vector<MachineOverlay> overlays;
    raster::RasterImage part;
    std::vector<char> mask;

    bool Start(benchmark::State& state, Playback playback, bool fastest) {
        profile.WriteInteger(ConfigSection, "Playback", static_cast<std::int32_t>(playback));
        if (fastest) profile.WriteInteger(ConfigSection, "DrawSpeed", 1);
        return LargeScreenRun::Start(state, RunMode::FullScreen,
                                     playback == Playback::Exact ? "exact" : "machine");
    }

    // One timer tick and the picture put together for the screen.
    void Tick() {
        run->Step();
        raster::ChangedArea changed;
        host->TakeChangedArea(changed);
        overlays.clear();
        run->CollectOverlays(overlays);
        trail.Follow(overlays, changed);
        for (const raster::PixelBox& box : changed.Boxes()) {
            const raster::PixelBox shown = trail.ShownWithin(box);
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
