#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/LargeScreenRun.h"

// The thread look against the flat look, side by side in one run, at 1920 x 1080 on the
// largest sample: one drawing tick at the fastest settings (DrawSpeed 1, DrawStep 3), and
// the saver's work per tick at the defaults, over whole cycles of draw, hold, pause and clear.
namespace {

using namespace vireluna;

// The run with the look of the benchmark's argument (0 flat, 1 thread).
struct LookRun : bench::LargeScreenRun {
    bool Start(benchmark::State& state, bool fastest) {
        profile.WriteInteger(ConfigSection, "Look", static_cast<std::int32_t>(state.range(0)));
        if (fastest) {
            profile.WriteInteger(ConfigSection, "DrawSpeed", 1);
            profile.WriteInteger(ConfigSection, "DrawStep", 3);
        }
        return LargeScreenRun::Start(state, RunMode::Picture,
                                     state.range(0) == 0 ? "flat" : "thread");
    }
    void Tick() { run->Step(); }
};

void BM_FastestDrawingTick(benchmark::State& state) {
    LookRun run;
    if (!run.Start(state, true)) return;
    // Only ticks that draw a batch are timed; start, hold and pause ticks run untimed.
    const auto untilDrawing = [&] {
        while (PhaseOf(run.Window().Counters()) != CyclePhase::Drawing) run.Tick();
    };
    untilDrawing();
    for (auto _ : state) {
        run.Tick();
        if (run.Window().LastTick() != TickResult::Drew) {
            state.PauseTiming();
            untilDrawing();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * run.Window().Settings().stitchesPerTick);
}
BENCHMARK(BM_FastestDrawingTick)->ArgName("look")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Every tick the saver runs at the default settings, timed as they come.
void BM_DefaultSettingsTick(benchmark::State& state) {
    LookRun run;
    if (!run.Start(state, false)) return;
    for (auto _ : state) run.Tick();
    state.counters["ms_per_tick"] = run.Window().Settings().timerPeriod;
}
BENCHMARK(BM_DefaultSettingsTick)
    ->ArgName("look")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0);

}  // namespace
