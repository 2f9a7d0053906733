#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "bench/SampleDesigns.h"
#include "core/design/formats/PxsReader.h"
#include "core/ports/MemoryProfileStore.h"
#include "core/ports/Random.h"
#include "core/presentation/Placement.h"
#include "core/presentation/StitchDrawing.h"
#include "core/saver/SaverRun.h"
#include "drivers/headless/RasterWindowHost.h"
#include "drivers/headless/RenderSession.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"
#include "systems/posix/PosixFileSystem.h"
#include "systems/posix/PosixInputFile.h"

// The animation cycle's costs: one drawing tick, a whole large design drawn batch by batch,
// and the render tool from design file to PNG.
namespace {

using namespace vireluna;

constexpr ScreenSize LargeScreen{1920, 1080};
constexpr std::uint32_t Seed = 2026;
const std::string LargeSample = bench::LargestSampleDesign();

bool SampleAndLogoThere(benchmark::State& state, raster::RasterImage& logo) {
    if (!std::filesystem::exists(LargeSample)) {
        state.SkipWithError("the large sample design is missing");
        return false;
    }
    if (!raster::ReadBmp(DefaultLogoPath(), logo)) {
        state.SkipWithError("the emblem picture is missing");
        return false;
    }
    return true;
}

void BM_DrawingTick(benchmark::State& state) {
    raster::RasterImage logo;
    if (!SampleAndLogoThere(state, logo)) return;
    MemoryProfileStore profile;
    profile.WriteString(FileListSection, PlaylistEntryName(1), LargeSample);
    std::ostringstream messages;
    headless::MessageLog log(messages);
    headless::RasterWindowHost host(LargeScreen, LargeScreen, std::move(logo), log);
    PosixFileSystem files;
    SaverRun run(RunMode::Picture, profile, host, files, {Seed, std::nullopt});
    run.Start(LargeScreen);
    const CSaverWnd& window = run.Window();

    // Only ticks that draw a batch are timed; start, hold and pause ticks run untimed.
    const auto untilDrawing = [&] {
        while (PhaseOf(window.Counters()) != CyclePhase::Drawing) run.Step();
    };
    untilDrawing();
    for (auto _ : state) {
        run.Step();
        if (window.LastTick() != TickResult::Drew) {
            state.PauseTiming();
            untilDrawing();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations() * window.Settings().stitchesPerTick);
}
BENCHMARK(BM_DrawingTick);

void BM_DrawWholeLargeDesign(benchmark::State& state) {
    raster::RasterImage logo;
    if (!SampleAndLogoThere(state, logo)) return;
    Design design;
    design.records = AllocateStitchArray();
    PosixInputFile file;
    const StitchArray placed = AllocateStitchArray();
    if (!LoadDesign(file, LargeSample.c_str(), 80, design)) {
        state.SkipWithError("the large sample does not load");
        return;
    }
    Random random(Seed);
    LogoState logoState;
    SetLogoCorner(LogoTopLeft, LargeScreen, logoState);
    PlacementResult placement{};
    PlaceDesign(design, 2, LargeScreen, &logoState, random, placed.get(), placement);
    std::int64_t stitches = 0;
    for (std::int32_t i = 0; i < design.recordCount; ++i) {
        stitches += placed[i].kind == StitchKind::Stitch ? 1 : 0;
    }

    raster::RasterImage image(LargeScreen.width, LargeScreen.height);
    raster::RasterSurface surface(image, logo);
    const StitchPen pen{PenWidthFor(false, 1), 3, 1.0};
    for (auto _ : state) {
        std::int32_t drawPosition = 0;
        std::int32_t colourIndex = 0;
        while (!DrawStitches(surface, placed.get(), design, pen, drawPosition, colourIndex)) {
        }
        benchmark::DoNotOptimize(image.Bytes().data());
    }
    state.SetItemsProcessed(state.iterations() * stitches);
    state.counters["stitches"] = static_cast<double>(stitches);
}
BENCHMARK(BM_DrawWholeLargeDesign)->Unit(benchmark::kMillisecond);

void BM_RenderLargeSample(benchmark::State& state) {
    raster::RasterImage logo;
    if (!SampleAndLogoThere(state, logo)) return;
    MemoryProfileStore profile;
    PosixFileSystem files;
    headless::RenderRequest request;
    request.files = {LargeSample};
    request.seed = Seed;
    request.output = (std::filesystem::temp_directory_path() / "vireluna_cycle_bench.png").string();
    std::ostringstream messages;
    for (auto _ : state) {
        headless::RenderSummary summary;
        std::string error;
        if (!headless::RunRender(request, profile, files, messages, summary, error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.counters["ticks"] = static_cast<double>(summary.ticks);
    }
    std::error_code ignored;
    std::filesystem::remove(request.output, ignored);
}
BENCHMARK(BM_RenderLargeSample)->Unit(benchmark::kMillisecond);

}  // namespace
