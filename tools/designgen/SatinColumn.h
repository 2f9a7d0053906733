#pragma once

#include "tools/designgen/Geometry.h"

namespace vireluna::designgen {

// Needle points that zig-zag between two rails running side by side in the
// same direction: A, B, A, B, ... Both rails are divided by arc length into the
// same number of steps, about spacing apart on average, so a column that curves
// keeps its stitches across it.
Polyline SatinColumn(const Polyline& railA, const Polyline& railB, double spacing);

// A satin column whose stitches lean: rail B trails rail A by a share of the
// length (0..1) and catches up at the end, so the stitches fan out at the start
// and slant forward along the column, like the veins of a leaf.
Polyline SlantedSatin(const Polyline& railA, const Polyline& railB, double spacing, double lag);

// A running stitch down the middle of a column, from its start to its end: the
// underlay laid before the satin so that the satin stands up.
Polyline CentreRun(const Polyline& railA, const Polyline& railB, double stitchLength);

}  // namespace vireluna::designgen
