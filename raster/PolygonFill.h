#pragma once

#include <cstdint>
#include <span>

#include "raster/RasterImage.h"

namespace vireluna::raster {

struct PolygonPoint {
    std::int64_t x;
    std::int64_t y;
};

// Fills a polygon the way the display fills a polygon region: a pixel is inside when its top-left
// corner is, with the even-odd rule; an edge covers the rows from its upper end up to, not
// including, its lower end, and on a row the pixels from the left crossing, rounded up, up to the
// right crossing, rounded up. Only rows and columns inside the image are visited.
void FillPolygon(RasterImage& image, std::span<const PolygonPoint> corners, Rgb colour);

}  // namespace vireluna::raster
