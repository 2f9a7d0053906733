#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "raster/PixelView.h"

namespace vireluna::raster {

// Bounds of what one drawing call may change, for surfaces that copy only the changed part
// of their picture to a window. Safe for any int arguments.

// Beyond its nominal width a wide pen may round a pixel further out on either side.
inline constexpr int FlatPenSlack = 2;
inline int FlatPenReach(int width) {
    return std::max(width, 1) + FlatPenSlack;
}

// A line between two pixel centres drawn by a pen reaching this far from its centre.
inline PixelBox AroundLine(int x0, int y0, int x1, int y1, int reach) {
    const auto clamp = [](std::int64_t value) {
        return static_cast<int>(std::clamp<std::int64_t>(value, -1, std::int64_t{1} << 30));
    };
    return {clamp(std::int64_t{std::min(x0, x1)} - reach),
            clamp(std::int64_t{std::min(y0, y1)} - reach),
            clamp(std::int64_t{std::max(x0, x1)} + reach + 1),
            clamp(std::int64_t{std::max(y0, y1)} + reach + 1)};
}

// A text line's ink stays within two character heights below its top, and an italic glyph
// leans at most one height to the left of its origin; its width depends on the face, so
// everything right of it is a safe bound.
inline PixelBox AroundText(int x, int y, int fontHeight) {
    constexpr int HeightsBelow = 2;
    const int height = std::abs(fontHeight) + 1;
    return {x - height, y - height, 1 << 30, y + HeightsBelow * height};
}

}  // namespace vireluna::raster
