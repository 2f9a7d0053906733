#include "raster/OverlayMask.h"

#include <algorithm>

#include "raster/MachineOverlayPainter.h"

namespace vireluna::raster {
namespace {

constexpr int BitsPerByte = 8;
constexpr std::uint64_t GatherBits = 0x0102040810204080;
// Reused from call to call: one byte a pixel of the part, 1 where an overlay painted it.
thread_local std::vector<std::uint8_t> coverageMarks;

}  // namespace

void PaintOverlayMask(const raster::PixelBox& box, std::span<const MachineOverlay> overlays,
                      RasterImage& painted, std::vector<char>& maskBits) {
    const int width = std::max(box.right - box.left, 0);
    const int height = std::max(box.bottom - box.top, 0);
    // Every pixel left unpainted is masked out, so what it holds does not matter.
    painted.Reshape(width, height);
    coverageMarks.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    raster::PaintOverlays(ViewOf(painted), box.left, box.top, overlays, coverageMarks.data());
    const auto rowBytes = static_cast<std::size_t>((width + BitsPerByte - 1) / BitsPerByte);
    maskBits.assign(rowBytes * static_cast<std::size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* covered = coverageMarks.data() + static_cast<std::size_t>(y) * width;
        char* row = maskBits.data() + static_cast<std::size_t>(y) * rowBytes;
        int x = 0;
        // Eight marks (each 0 or 1) a byte at a time: the multiplication gathers the lowest bit
        // of each into one byte, the first mark in its lowest bit.
        for (; x + BitsPerByte <= width; x += BitsPerByte) {
            std::uint64_t marks = 0;
            for (int i = 0; i < BitsPerByte; ++i) {
                marks |= std::uint64_t{covered[x + i]} << (BitsPerByte * i);
            }
            if (marks != 0) row[x / BitsPerByte] = static_cast<char>((marks * GatherBits) >> 56);
        }
        for (; x < width; ++x) {
            if (covered[x] != 0) {
                row[x / BitsPerByte] =
                    static_cast<char>(row[x / BitsPerByte] | 1 << (x % BitsPerByte));
            }
        }
    }
}

}  // namespace vireluna::raster
