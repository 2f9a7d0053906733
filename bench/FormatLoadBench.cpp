#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>

#include "core/design/DesignFileLoader.h"
#include "systems/posix/PosixInputFile.h"
#include "tools/formats/DesignPlan.h"

// Loading one design of 60,000 stitches from a file of each format, side by side with the
// saver's own format: a load of any format must take at most twice as long as its own.
namespace {

using namespace vireluna;

constexpr std::int32_t DefaultReduction = 80;
constexpr int Stitches = 60000;
constexpr int Blocks = 20;
constexpr int RunsPerBlock = 3;
constexpr int RoundsPerIteration = 5;
constexpr std::size_t Formats = 9;

// Satin-like zigzags with steps up to 100 units, travels of some 300 between runs.
formats::DesignPlan LargePlan() {
    formats::DesignPlan plan;
    const int perRun = Stitches / (Blocks * RunsPerBlock);
    for (int b = 0; b < Blocks; ++b) {
        formats::PlanBlock block;
        block.thread = 1 + b % 20;
        block.pecIndex = static_cast<std::uint8_t>(1 + b % 64);
        block.red = static_cast<std::uint8_t>(b * 12);
        block.husIndex = static_cast<std::uint8_t>(b % 29);
        for (int r = 0; r < RunsPerBlock; ++r) {
            formats::PlanRun run;
            const int originX = (b * RunsPerBlock + r) % 7 * 300;
            const int originY = (b * RunsPerBlock + r) / 7 * 40;
            for (int i = 0; i < perRun; ++i) {
                run.push_back({originX + i % 100, originY + (i % 2 == 0 ? 0 : 30 + i % 70)});
            }
            block.runs.push_back(run);
        }
        plan.blocks.push_back(block);
    }
    return plan;
}

struct FormatFile {
    const char* name;
    std::string path;
};

double ProcessorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Every format loaded in turn within each iteration, so that a busy machine slows all alike;
// the counters give each format's time per load and its ratio to the saver's own format.
void BM_LoadEachFormatSideBySide(benchmark::State& state) {
    const formats::DesignPlan plan = LargePlan();
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "vireluna-format-bench";
    std::filesystem::create_directories(folder);
    std::array<FormatFile, Formats> files = {{{"PXS", (folder / "large.pxs").string()},
                                              {"DST", (folder / "large.dst").string()},
                                              {"EXP", (folder / "large.exp").string()},
                                              {"PES", (folder / "large.pes").string()},
                                              {"VP3", (folder / "large.vp3").string()},
                                              {"HUS", (folder / "large.hus").string()},
                                              {"VIP", (folder / "large.vip").string()},
                                              {"XXX", (folder / "large.xxx").string()},
                                              {"PCS", (folder / "large.pcs").string()}}};
    const std::array<formats::Bytes, Formats> bytes = {
        formats::WritePxs(plan), formats::WriteDst(plan), formats::WriteExp(plan),
        formats::WritePes(plan), formats::WriteVp3(plan), formats::WriteHus(plan),
        formats::WriteVip(plan), formats::WriteXxx(plan), formats::WritePcs(plan)};
    Design design;
    design.records = AllocateStitchArray();
    PosixInputFile file;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!formats::WriteBytes(bytes[i], files[i].path.c_str()) ||
            !LoadDesignFile(file, files[i].path.c_str(), DefaultReduction, design) ||
            design.recordCount < Stitches) {
            state.SkipWithError("a large design did not load");
            return;
        }
    }
    std::array<double, Formats> seconds{};
    for (auto _ : state) {
        for (int round = 0; round < RoundsPerIteration; ++round) {
            for (std::size_t i = 0; i < files.size(); ++i) {
                const double start = ProcessorSeconds();
                benchmark::DoNotOptimize(
                    LoadDesignFile(file, files[i].path.c_str(), DefaultReduction, design));
                benchmark::ClobberMemory();
                seconds[i] += ProcessorSeconds() - start;
            }
        }
    }
    const double loads = static_cast<double>(state.iterations()) * RoundsPerIteration;
    for (std::size_t i = 0; i < files.size(); ++i) {
        state.counters[std::string(files[i].name) + "_us"] = 1e6 * seconds[i] / loads;
        if (i > 0) state.counters[std::string(files[i].name) + "_toPXS"] = seconds[i] / seconds[0];
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadEachFormatSideBySide)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
