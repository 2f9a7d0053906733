#include <benchmark/benchmark.h>

#include "core/design/Design.h"

// The saver window allocates its two record arrays once; this keeps an eye on that cost.
static void BM_AllocateStitchArray(benchmark::State& state) {
    for (auto _ : state) {
        vireluna::StitchArray records = vireluna::AllocateStitchArray();
        benchmark::DoNotOptimize(records.get());
    }
}
BENCHMARK(BM_AllocateStitchArray);
