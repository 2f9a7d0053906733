#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "design/DesignReader.h"
#include "design/ThreadPalette.h"
#include "tools/pxs/PxsWriter.h"

namespace {

using namespace vireluna;

constexpr int RowsOfStitches = 200;
constexpr int StitchesPerRow = 300;
constexpr int RowStep = 3;
constexpr int StitchLength = 4;
constexpr int RowsPerColour = 25;

// A design close to the record limit: rows of short stitches back and forth, a jump between
// rows and a colour change every few rows.
std::vector<std::uint8_t> LargeDesign() {
    pxs::PxsWriter writer({1, 10, 12, 95, 44, 71, 3, 2});
    for (int row = 0; row < RowsOfStitches; ++row) {
        if (row > 0 && row % RowsPerColour == 0) writer.ColourChange();
        writer.JumpTo(row % 2 == 0 ? 0 : StitchesPerRow * StitchLength, row * RowStep);
        for (int i = 1; i <= StitchesPerRow; ++i) {
            const int step = row % 2 == 0 ? StitchLength : -StitchLength;
            writer.StitchTo(writer.CurrentX() + step, row * RowStep + (i % 2));
        }
    }
    writer.End();
    return writer.Build();
}

Design BenchDesign() {
    Design design;
    design.records = AllocateStitchArray();
    return design;
}

void BM_LoadDesignFromBytes(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = LargeDesign();
    Design design = BenchDesign();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadDesignFromBytes(bytes.data(), bytes.size(), 80, design));
        benchmark::ClobberMemory();
    }
    state.counters["records"] = design.recordCount;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadDesignFromBytes)->Unit(benchmark::kMicrosecond);

// The saver's own path: open, read forward through the buffer, close.
void BM_LoadDesignFromFile(benchmark::State& state) {
    const std::vector<std::uint8_t> bytes = LargeDesign();
    const std::string path =
        (std::filesystem::temp_directory_path() / "vireluna_bench_design.pxs").string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        state.SkipWithError("cannot write the design file");
        if (file != nullptr) std::fclose(file);
        return;
    }
    std::fclose(file);
    Design design = BenchDesign();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadDesign(path.c_str(), 80, design));
        benchmark::ClobberMemory();
    }
    state.counters["records"] = design.recordCount;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadDesignFromFile)->Unit(benchmark::kMicrosecond);

// A full colour list of 72 lookups, the most one load asks of the palette; half the numbers
// miss and walk the whole table.
void BM_ResolveColourList(benchmark::State& state) {
    const ThreadPalette palette;
    for (auto _ : state) {
        for (std::int32_t number = 40; number < 40 + MaxDesignColours; ++number) {
            benchmark::DoNotOptimize(palette.ColourForNumber(number));
        }
    }
}
BENCHMARK(BM_ResolveColourList);

}  // namespace
