#include "platform/raster/WidePen.h"

#include <algorithm>
#include <cstdlib>

namespace vireluna::raster {

namespace {

// Pixel offset d from the pen centre, in half pixels. An even-width pen is centred on the
// corner above and to the left of its pixel, so its centre pixels are d = -1 and d = 0.
int DoubledOffset(int offset, int width) {
    return width % 2 == 1 ? 2 * offset : 2 * offset + 1;
}

// A pixel belongs to the disc when its centre lies within sqrt(w (w - 1)) / 2 of the pen
// centre, just under w / 2: that keeps small discs round (3 gives a plus, not a square).
bool InDisc(int dx, int dy, int width) {
    const int u = DoubledOffset(dx, width);
    const int v = DoubledOffset(dy, width);
    return u * u + v * v <= width * (width - 1);
}

}  // namespace

WidePen::WidePen(int width) : width_(std::clamp(width, 1, kMaxWidth)) {
    if (width_ == 1) return;
    const int bound = width_ / 2 + 1;
    for (int dy = -bound; dy <= bound; ++dy) {
        int first = bound + 1;
        int last = -bound - 1;
        for (int dx = -bound; dx <= bound; ++dx) {
            if (!InDisc(dx, dy, width_)) continue;
            first = std::min(first, dx);
            last = std::max(last, dx);
        }
        if (first > last) continue;
        disc_.push_back({dy, first, last});
        reach_ = std::max({reach_, std::abs(dy), std::abs(first), std::abs(last)});
    }
    // A disc that misses its diagonal neighbours would leave a diagonal band thinner than a
    // straight one; stamping the corner pixel of each diagonal step restores the width.
    fillDiagonalCorners_ = !InDisc(1, 1, width_) && !InDisc(-1, -1, width_);
}

void WidePen::DrawLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const {
    if (width_ == 1) {
        DrawThinLine(image, from, to, colour);
    } else {
        DrawDiscLine(image, from, to, colour);
    }
}

void WidePen::DrawThinLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const {
    const LineWalk walk(from, to);
    if (walk.Steps() == 0) return;  // the end point is left out, so nothing is left
    std::uint32_t first = 0;
    std::uint32_t last = walk.Steps() - 1;
    const PixelBox imageBox{0, 0, image.Width() - 1, image.Height() - 1};
    if (!walk.ClipSteps(imageBox, first, last)) return;
    LineWalk::Cursor cursor(walk, first);
    for (std::uint32_t step = first;; ++step) {
        const PixelPoint point = cursor.Point();
        image.SetPixel(point.x, point.y, colour);
        if (step == last) break;
        cursor.Advance();
    }
}

void WidePen::DrawDiscLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const {
    const LineWalk walk(from, to);
    std::uint32_t first = 0;
    std::uint32_t last = walk.Steps();
    // Centres up to the disc's reach outside the image still paint inside it; one pixel more
    // keeps the diagonal corner of the first step outside the box harmless.
    const std::int64_t margin = reach_ + 1;
    const PixelBox reachBox{-margin, -margin, image.Width() - 1 + margin,
                            image.Height() - 1 + margin};
    if (!walk.ClipSteps(reachBox, first, last)) return;
    LineWalk::Cursor cursor(walk, first);
    for (std::uint32_t step = first;; ++step) {
        if (fillDiagonalCorners_ && cursor.MovedDiagonally()) {
            Stamp(image, cursor.DiagonalCorner(), colour);
        }
        Stamp(image, cursor.Point(), colour);
        if (step == last) break;
        cursor.Advance();
    }
}

void WidePen::Stamp(RasterImage& image, PixelPoint centre, Rgb colour) const {
    // Centres lie within the reach box, so these sums cannot overflow.
    for (const Span& span : disc_) {
        const int y = centre.y + span.dy;
        image.FillRect(centre.x + span.dxFirst, y, centre.x + span.dxLast + 1, y + 1, colour);
    }
}

}  // namespace vireluna::raster
