#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

#include "raster/PictureStore.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "raster/TileSurface.h"

// Long diagonal stitches (635 pixels each way, the longest step at 500 %) drawn on a picture
// in memory and through the tiles over a store, side by side: the tiles cost what they read
// and write back, so a stitch that touched every tile of its bounding box paid for squares it
// never crosses. Argument: 0 the flat look, 1 the thread look.
namespace {

using vireluna::ColourValue;
using vireluna::SubpixelScale;
using vireluna::raster::PictureStore;
using vireluna::raster::PixelBox;
using vireluna::raster::RasterImage;
using vireluna::raster::RasterSurface;
using vireluna::raster::Rgb;
using vireluna::raster::TileSurface;

constexpr int Width = 1920;
constexpr int Height = 1080;
constexpr int StitchSide = 635;
constexpr int StitchesPerTick = 5;
constexpr ColourValue Thread = 0x02304080;
constexpr ColourValue Field = 0x02FFD7BE;

// A picture in memory as the store, copied row by row like an image to and from a server.
class MemoryStore final : public PictureStore {
  public:
    bool Read(const PixelBox& box, RasterImage& into) override {
        for (int y = box.top; y < box.bottom; ++y) {
            std::memcpy(into.MutableBytes() + Offset(into, 0, y - box.top),
                        picture_.Bytes().data() + Offset(picture_, box.left, y),
                        static_cast<std::size_t>(box.right - box.left) * RasterImage::PixelBytes);
        }
        return true;
    }
    void Write(const RasterImage& image, const PixelBox& part, int toX, int toY) override {
        for (int y = part.top; y < part.bottom; ++y) {
            std::memcpy(picture_.MutableBytes() + Offset(picture_, toX, toY + y - part.top),
                        image.Bytes().data() + Offset(image, part.left, y),
                        static_cast<std::size_t>(part.right - part.left) * RasterImage::PixelBytes);
        }
    }
    void Fill(const PixelBox& box, Rgb colour) override {
        picture_.FillRect(box.left, box.top, box.right, box.bottom, colour);
    }
    bool Resize(int width, int height) override {
        picture_ = RasterImage(width, height);
        return true;
    }

  private:
    static std::size_t Offset(const RasterImage& image, int x, int y) {
        return (static_cast<std::size_t>(y) * image.Width() + x) * RasterImage::PixelBytes;
    }
    RasterImage picture_;
};

// A zig-zag along one diagonal, drifting a little to and fro, as a satin column stitched large.
template <typename Tick>
void DrawZigZag(benchmark::State& state, vireluna::Surface& surface, const Tick& endOfTick) {
    if (state.range(0) == 0) {
        surface.SetPen(2, Thread);
    } else {
        surface.SetThreadPen({5 * SubpixelScale, Thread, Field});
    }
    constexpr int Left = 500;
    constexpr int Top = 200;
    surface.MoveTo(Left, Top);
    int stitch = 0;
    for (auto _ : state) {
        const int drift = (stitch / 2) % 40 < 20 ? (stitch / 2) % 20 : 20 - (stitch / 2) % 20;
        if (stitch % 2 == 0) {
            surface.LineTo(Left + StitchSide + 4 * drift, Top + StitchSide);
        } else {
            surface.LineTo(Left + 4 * drift, Top + 2 * drift);
        }
        if (++stitch % StitchesPerTick == 0) endOfTick();
    }
    state.SetItemsProcessed(state.iterations());  // items per second = stitches per second
}

void BM_LongStitchesInMemory(benchmark::State& state) {
    RasterImage picture(Width, Height);
    const RasterImage logo;
    RasterSurface surface(picture, logo);
    DrawZigZag(state, surface, [] {});
    benchmark::DoNotOptimize(picture.Bytes().data());
}

void BM_LongStitchesThroughTiles(benchmark::State& state) {
    MemoryStore store;
    store.Resize(Width, Height);
    const RasterImage logo;
    TileSurface surface(logo, store, Width, Height);
    DrawZigZag(state, surface, [&] { surface.WriteBack(); });
}

}  // namespace

BENCHMARK(BM_LongStitchesInMemory)->Arg(0)->Arg(1);
BENCHMARK(BM_LongStitchesThroughTiles)->Arg(0)->Arg(1);
