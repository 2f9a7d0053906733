#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "bench/SampleDesigns.h"
#include "platform/MemoryProfileStore.h"
#include "platform/Random.h"
#include "platform/posix/PosixPathLimit.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"
#include "render/RasterWindowHost.h"
#include "shell/SaverWnd.h"

// The thread look against the flat look, side by side in one run, at 1920 x 1080 on the
// largest sample: one drawing tick at the fastest settings (DrawSpeed 1, DrawStep 3), and
// the saver's work per tick at the defaults, over whole cycles of draw, hold, pause and clear.
namespace {

using namespace vireluna;

constexpr ScreenSize LargeScreen{1920, 1080};
constexpr std::uint32_t Seed = 2026;

struct SaverRun {
    MemoryProfileStore profile;
    std::ostringstream messages;
    std::optional<raster::RasterWindowHost> host;
    std::optional<Random> random;
    std::optional<CSaverWnd> window;

    // False, with the benchmark skipped, when the sample or the emblem is missing.
    bool Start(benchmark::State& state, bool fastest) {
        const std::string sample = bench::LargestSampleDesign();
        raster::RasterImage logo;
        if (!std::filesystem::exists(sample) || !raster::ReadBmp(raster::DefaultLogoPath(), logo)) {
            state.SkipWithError("the large sample design or the emblem is missing");
            return false;
        }
        profile.WriteString(FileListSection, PlaylistEntryName(1), sample);
        profile.WriteInteger(ConfigSection, "Look", static_cast<std::int32_t>(state.range(0)));
        if (fastest) {
            profile.WriteInteger(ConfigSection, "DrawSpeed", 1);
            profile.WriteInteger(ConfigSection, "DrawStep", 3);
        }
        host.emplace(LargeScreen, LargeScreen, std::move(logo), messages);
        random.emplace(Seed);
        window.emplace(profile, *host, *random, PosixPathLimit);
        window->OnCreate();
        window->OnSize(LargeScreen.width, LargeScreen.height);
        state.SetLabel(state.range(0) == 0 ? "flat" : "thread");
        return true;
    }

    // One timer tick, with the erase the window asked for before it, as a message loop runs.
    void Tick() {
        if (host->TakePendingErase()) {
            window->OnEraseBkgnd(host->AcquireSurface(), LargeScreen.width, LargeScreen.height);
            host->ReleaseSurface();
        }
        window->OnTimer();
    }
};

void BM_FastestDrawingTick(benchmark::State& state) {
    SaverRun run;
    if (!run.Start(state, true)) return;
    // Only ticks that draw a batch are timed; start, hold and pause ticks run untimed.
    const auto untilDrawing = [&] {
        while (PhaseOf(run.window->Counters()) != CyclePhase::Drawing) run.Tick();
    };
    untilDrawing();
    for (auto _ : state) {
        run.Tick();
        if (run.window->LastTick() != TickResult::Drew) {
            state.PauseTiming();
            untilDrawing();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * run.window->Settings().stitchesPerTick);
}
BENCHMARK(BM_FastestDrawingTick)->ArgName("look")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Every tick the saver runs at the default settings, timed as they come.
void BM_DefaultSettingsTick(benchmark::State& state) {
    SaverRun run;
    if (!run.Start(state, false)) return;
    for (auto _ : state) run.Tick();
    state.counters["ms_per_tick"] = run.window->Settings().timerPeriod;
}
BENCHMARK(BM_DefaultSettingsTick)
    ->ArgName("look")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0);

}  // namespace
