#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/SampleDesigns.h"
#include "core/design/ThreadPalette.h"
#include "core/design/formats/PxsReader.h"
#include "systems/posix/PosixInputFile.h"

// Loading the largest sample design from its file, against the least any load must do: one
// pass over the same bytes through the same file layer.
namespace {

using namespace vireluna;

constexpr std::int32_t DefaultReduction = 80;
// The same size of buffer as the reader reads through.
constexpr std::size_t PlainPassChunkBytes = 4096;
// Plain passes timed for the ratio: enough to smooth out a single slow read.
constexpr int PlainPassRepeats = 200;

// Opens the file, reads it to the end through a buffer and sums its bytes.
std::uint64_t PlainPass(const std::string& path) {
    PosixInputFile file;
    if (!file.Open(path.c_str())) return 0;
    std::uint8_t buffer[PlainPassChunkBytes];
    std::uint64_t sum = 0;
    for (std::size_t got; (got = file.Read(buffer, sizeof buffer)) > 0;) {
        for (std::size_t i = 0; i < got; ++i) sum += buffer[i];
    }
    return sum;
}

// Processor time, system time included: the machine may be busy with other work, and the
// file layer's reads are part of both costs.
double ProcessorSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

double PlainPassSeconds(const std::string& path) {
    const double start = ProcessorSeconds();
    for (int i = 0; i < PlainPassRepeats; ++i) benchmark::DoNotOptimize(PlainPass(path));
    return (ProcessorSeconds() - start) / PlainPassRepeats;
}

// Time per record, shown by the benchmark library as e.g. "1.2ns".
benchmark::Counter PerRecord(std::int32_t records) {
    return benchmark::Counter(
        records, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

struct LargeSample {
    std::string path;
    PosixInputFile file;
    Design design;
};

// The sample and its record count; false (and the benchmark skipped) when it does not load.
bool PrepareLargeSample(benchmark::State& state, LargeSample& sample) {
    sample.path = bench::LargestSampleDesign();
    sample.design.records = AllocateStitchArray();
    if (sample.path.empty() ||
        !LoadDesign(sample.file, sample.path.c_str(), DefaultReduction, sample.design)) {
        state.SkipWithError("no sample design to load");
        return false;
    }
    return true;
}

// The saver's own path: open, read forward through the buffer, decode, close.
void BM_LoadLargeSample(benchmark::State& state) {
    LargeSample sample;
    if (!PrepareLargeSample(state, sample)) return;
    const double start = ProcessorSeconds();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            LoadDesign(sample.file, sample.path.c_str(), DefaultReduction, sample.design));
        benchmark::ClobberMemory();
    }
    const double loadSeconds =
        (ProcessorSeconds() - start) / static_cast<double>(state.iterations());

    state.counters["records"] = sample.design.recordCount;
    state.counters["perRecord"] = PerRecord(sample.design.recordCount);
    // How many plain passes over the same file one load costs; timed after the loop, untimed.
    state.counters["loadToPlainPass"] = loadSeconds / PlainPassSeconds(sample.path);
    state.SetLabel(std::filesystem::path(sample.path).filename().string());
}
BENCHMARK(BM_LoadLargeSample)->Unit(benchmark::kMicrosecond);

// The same without the file layer: what decoding alone costs.
void BM_LoadLargeSampleFromMemory(benchmark::State& state) {
    LargeSample sample;
    if (!PrepareLargeSample(state, sample)) return;
    std::ifstream in(sample.path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            LoadDesignFromBytes(bytes.data(), bytes.size(), DefaultReduction, sample.design));
        benchmark::ClobberMemory();
    }
    state.counters["perRecord"] = PerRecord(sample.design.recordCount);
}
BENCHMARK(BM_LoadLargeSampleFromMemory)->Unit(benchmark::kMicrosecond);

void BM_PlainPassOverLargeSample(benchmark::State& state) {
    LargeSample sample;
    if (!PrepareLargeSample(state, sample)) return;
    for (auto _ : state) benchmark::DoNotOptimize(PlainPass(sample.path));
    state.counters["records"] = sample.design.recordCount;
    state.counters["perRecord"] = PerRecord(sample.design.recordCount);
    state.SetLabel(std::filesystem::path(sample.path).filename().string());
}
BENCHMARK(BM_PlainPassOverLargeSample)->Unit(benchmark::kMicrosecond);

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
