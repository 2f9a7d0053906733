#include "raster/WidePen.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "raster/PolygonFill.h"

namespace vireluna::raster {

namespace {

// Rounds half up, as the display rounds a fraction of a pixel.
std::int64_t RoundHalfUp(double value) {
    return static_cast<std::int64_t>(std::floor(value + 0.5));
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

WidePen::WidePen(int width) : width_(std::clamp(width, 1, kMaxWidth)) {
    if (width_ > 1) cap_ = RoundCapRows(width_);
}

void WidePen::DrawLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const {
    if (width_ == 1) {
        DrawThinLine(image, from, to, colour);
        return;
    }
    DrawCap(image, from, colour);
    DrawCap(image, to, colour);
    if (from != to) DrawBand(image, from, to, colour);
}

void WidePen::DrawThinLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const {
    const LineWalk walk(from, to);
    if (walk.Steps() == 0) return;  // the end point is left out, so nothing is left
    std::uint32_t first = 0;
    std::uint32_t last = walk.Steps() - 1;
    const InclusiveBox imageBox{0, 0, image.Width() - 1, image.Height() - 1};
    if (!walk.ClipSteps(imageBox, first, last)) return;
    LineWalk::Cursor cursor(walk, first);
    for (std::uint32_t step = first;; ++step) {
        const PixelPoint point = cursor.Point();
        image.SetPixel(point.x, point.y, colour);
        if (step == last) break;
        cursor.Advance();
    }
}

void WidePen::DrawBand(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const {
    const std::int64_t dx = std::int64_t{to.x} - from.x;
    const std::int64_t dy = std::int64_t{to.y} - from.y;
    const int half = width_ / 2;
    if (dy == 0) {  // level: the rows from y - width / 2, the columns between the ends
        const std::int64_t top = std::int64_t{from.y} - half;
        image.FillRect(std::min(from.x, to.x), ClampToInt(top), std::max(from.x, to.x),
                       ClampToInt(top + width_), colour);
        return;
    }
    if (dx == 0) {  // upright: the same across the columns
        const std::int64_t left = std::int64_t{from.x} - half;
        image.FillRect(ClampToInt(left), std::min(from.y, to.y), ClampToInt(left + width_),
                       std::max(from.y, to.y), colour);
        return;
    }
    // The width across the line, split into its x and y parts; the half on the right of the
    // line (towards larger x) takes the larger rounding of each part, the left half the smaller.
    const double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
    const double acrossX = width_ * std::abs(static_cast<double>(dy)) / length;
    const double acrossY = width_ * std::abs(static_cast<double>(dx)) / length;
    const std::int64_t narrowX = RoundHalfUp(acrossX / 2);
    const std::int64_t narrowY = RoundHalfUp(acrossY / 2);
    const std::int64_t wideX = RoundHalfUp((acrossX + 1) / 2);
    const std::int64_t wideY = RoundHalfUp((acrossY + 1) / 2);
    // The right side lies up from a line that falls to the right, down from one that rises.
    const std::int64_t rightYSign = (dx > 0) == (dy > 0) ? -1 : 1;
    const std::array<PolygonPoint, 4> band{{
        {from.x + wideX, from.y + rightYSign * wideY},
        {from.x - narrowX, from.y - rightYSign * narrowY},
        {to.x - narrowX, to.y - rightYSign * narrowY},
        {to.x + wideX, to.y + rightYSign * wideY},
    }};
    FillPolygon(image, band, colour);
}

void WidePen::DrawCap(RasterImage& image, PixelPoint centre, Rgb colour) const {
    for (const ShapeRow& row : cap_) {
        const std::int64_t y = std::int64_t{centre.y} + row.dy;
        image.FillRect(ClampToInt(std::int64_t{centre.x} + row.left), ClampToInt(y),
                       ClampToInt(std::int64_t{centre.x} + row.right), ClampToInt(y + 1), colour);
    }
}

}  // namespace vireluna::raster
