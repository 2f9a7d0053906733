#pragma once

#include <vector>

namespace vireluna::raster {

// One row of a pixel shape: the pixels [left, right) of the row dy below its centre.
struct ShapeRow {
    int dy;
    int left;
    int right;
};

// The round end of a wide pen of the given width (2 or more), as the display makes it: the
// elliptic region of the box from -(width / 2) to (width + 1) / 2 on both axes around the end
// point, traced with an integer midpoint ellipse. It is a square of 2 x 2 at width 2, a plus at
// width 3, and close to a disc of that diameter beyond.
std::vector<ShapeRow> RoundCapRows(int width);

}  // namespace vireluna::raster
