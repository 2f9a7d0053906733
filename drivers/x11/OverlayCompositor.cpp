#include "drivers/x11/OverlayCompositor.h"

#include <algorithm>

#include "raster/OverlayMask.h"

namespace vireluna::x11 {
namespace {

// The overlays' mask: eight pixels a byte; put in bands of this many rows.
constexpr int BitsPerMaskByte = 8;
constexpr int OverlayBandRows = 16;

}  // namespace

OverlayCompositor::OverlayCompositor(Display* display, Window window, Visual* visual, int depth)
    : putter_(display, window, visual, depth, ImagePutter::Transfer::Plain),
      maskPixmap_(display, window) {}

void OverlayCompositor::Follow(const SteppedSaver* run, raster::ChangedArea& changed) {
    overlays_.clear();
    if (run != nullptr) run->CollectOverlays(overlays_);
    trail_.Follow(overlays_, changed);
}

void OverlayCompositor::PutOver(const raster::PixelBox& whole) {
    const raster::PixelBox box = trail_.ShownWithin(whole);
    if (box.Empty()) return;
    raster::PaintOverlayMask(box, overlays_, part_, mask_);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const Pixmap mask = maskPixmap_.Load(mask_, width, height);
    if (mask == XNone) return;
    putter_.SetClipMask(mask, box.left, box.top);
    // Band by band, only across what the overlays cover: a travel thread crosses a wide box
    // with a few pixels a row.
    const int rowBytes = (width + BitsPerMaskByte - 1) / BitsPerMaskByte;
    for (int top = 0; top < height; top += OverlayBandRows) {
        const int bottom = std::min(height, top + OverlayBandRows);
        int first = rowBytes;
        int last = -1;
        for (int y = top; y < bottom; ++y) {
            const char* row = mask_.data() + static_cast<std::ptrdiff_t>(y) * rowBytes;
            for (int i = 0; i < rowBytes; ++i) {
                if (row[i] == 0) continue;
                first = std::min(first, i);
                last = std::max(last, i);
            }
        }
        if (last < 0) continue;
        const int left = first * BitsPerMaskByte;
        const int right = std::min(width, (last + 1) * BitsPerMaskByte);
        putter_.Put(part_, left, top, right, bottom, box.left + left, box.top + top);
    }
}

}  // namespace vireluna::x11
