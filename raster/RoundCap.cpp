#include "raster/RoundCap.h"

#include <cstdint>

namespace vireluna::raster {

std::vector<ShapeRow> RoundCapRows(int width) {
    const int side = width;  // the box is width pixels on each axis
    const int first = -(width / 2);
    const int end = first + side;  // one past the last column and row
    std::vector<ShapeRow> rows(static_cast<std::size_t>(side) + 1, ShapeRow{0, 0, 0});

    // The midpoint ellipse walks the lower half from the middle row outward: each step moves
    // inward by one column, down by one row, or both, whichever keeps the error smallest.
    const std::int64_t a = side - 1;
    const std::int64_t b = side - 1;
    const std::int64_t aStep = 8 * a * a;
    const std::int64_t bStep = 8 * b * b;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + b % 2);
    std::int64_t error = dx + dy + a * a * (b % 2);
    int inset = 0;
    int row = side / 2;
    rows[static_cast<std::size_t>(row)] = {0, first, end};
    while (inset <= side / 2 && row <= side) {
        const std::int64_t twice = 2 * error;
        if (twice < dx && twice > dy) break;  // no step left: the walk is done
        if (twice >= dx) {
            ++inset;
            dx += bStep;
            error += dx;
        }
        if (twice <= dy) {
            ++row;
            dy += aStep;
            error += dy;
            if (row <= side) rows[static_cast<std::size_t>(row)] = {0, first + inset, end - inset};
        }
    }
    // The upper half mirrors the lower one.
    for (int i = 0; i < side / 2; ++i)
        rows[static_cast<std::size_t>(i)] = rows[static_cast<std::size_t>(side - 1 - i)];
    rows.resize(static_cast<std::size_t>(side));
    for (int i = 0; i < side; ++i) rows[static_cast<std::size_t>(i)].dy = first + i;
    return rows;
}

}  // namespace vireluna::raster
