#pragma once

#include "tools/designgen/Geometry.h"

namespace vireluna::designgen {

// Needle points along a path, no stitch longer than maxLength. Sharp corners
// keep a needle point so that the line does not cut across them; smooth
// stretches are divided into equal stitches.
Polyline RunningStitch(const Polyline& path, double maxLength);

}  // namespace vireluna::designgen
