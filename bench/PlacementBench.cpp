#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "bench/SampleDesigns.h"
#include "core/design/formats/PxsReader.h"
#include "core/presentation/Placement.h"
#include "systems/posix/PosixInputFile.h"

namespace {

using namespace vireluna;

constexpr std::int32_t DefaultReduction = 80;
constexpr ScreenSize FullHdScreen{1920, 1080};

// One whole placement per iteration, full screen with the logo, for each Rotation setting.
void BM_PlaceDesign(benchmark::State& state) {
    const std::string path = bench::LargestSampleDesign();
    Design design;
    design.records = AllocateStitchArray();
    PosixInputFile file;
    if (path.empty() || !LoadDesign(file, path.c_str(), DefaultReduction, design)) {
        state.SkipWithError("no sample design to load");
        return;
    }
    const StitchArray placed = AllocateStitchArray();
    LogoState logo;
    SetLogoCorner(LogoTopLeft, FullHdScreen, logo);
    Random random(2026);
    PlacementResult result{};
    const auto rotation = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        PlaceDesign(design, rotation, FullHdScreen, &logo, random, placed.get(), result);
        benchmark::DoNotOptimize(placed.get());
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::filesystem::path(path).filename().string());
    state.counters["records"] = design.recordCount;
    state.counters["per_record"] =
        benchmark::Counter(design.recordCount, benchmark::Counter::kIsIterationInvariantRate |
                                                   benchmark::Counter::kInvert);
}
BENCHMARK(BM_PlaceDesign)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
