#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "raster/RasterSurface.h"

namespace {

using vireluna::raster::RasterImage;
using vireluna::raster::RasterSurface;

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kLineCount = 4096;
constexpr vireluna::ColourValue kThread = 0x02304080;

struct Segment {
    int fromX, fromY, toX, toY, width;
};

// Lines anywhere on the screen (ends up to half a screen outside it) or short stitch-like ones.
std::vector<Segment> RandomSegments(int maxLength, int fixedWidth) {
    std::mt19937 random(1);
    std::uniform_int_distribution<int> x(-kScreenWidth / 2, kScreenWidth * 3 / 2);
    std::uniform_int_distribution<int> y(-kScreenHeight / 2, kScreenHeight * 3 / 2);
    std::uniform_int_distribution<int> step(-maxLength, maxLength);
    std::uniform_int_distribution<int> width(1, 3);
    std::vector<Segment> segments;
    for (int i = 0; i < kLineCount; ++i) {
        Segment s{x(random), y(random), 0, 0, fixedWidth > 0 ? fixedWidth : width(random)};
        if (maxLength > 0) {
            s.toX = s.fromX + step(random);
            s.toY = s.fromY + step(random);
        } else {
            s.toX = x(random);
            s.toY = y(random);
        }
        segments.push_back(s);
    }
    return segments;
}

void DrawLines(benchmark::State& state, int maxLength) {
    const std::vector<Segment> segments =
        RandomSegments(maxLength, static_cast<int>(state.range(0)));
    RasterImage screen(kScreenWidth, kScreenHeight);
    const RasterImage logo;
    RasterSurface surface(screen, logo);
    std::size_t next = 0;
    for (auto _ : state) {
        const Segment& s = segments[next];
        next = (next + 1) % segments.size();
        surface.SetPen(s.width, kThread);
        surface.MoveTo(s.fromX, s.fromY);
        surface.LineTo(s.toX, s.toY);
    }
    benchmark::DoNotOptimize(screen.Bytes().data());
    state.SetItemsProcessed(state.iterations());  // items per second = lines per second
}

// Argument: pen width, 0 for a random width of 1 to 3 per line.
void BM_RasterLongLines(benchmark::State& state) {
    DrawLines(state, 0);
}
void BM_RasterStitchLines(benchmark::State& state) {
    DrawLines(state, 30);
}

}  // namespace

BENCHMARK(BM_RasterLongLines)->Arg(0)->Arg(1)->Arg(2)->Arg(3);
BENCHMARK(BM_RasterStitchLines)->Arg(0)->Arg(1)->Arg(3);
