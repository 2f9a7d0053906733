#pragma once

#include <vector>

#include "tools/designgen/Geometry.h"

namespace vireluna::designgen {

struct FillStyle {
    double radians = 0.0;  // direction of the rows
    double rowSpacing = 4.0;
    double stitchLength = 30.0;
    // Rows before the needle points line up again; the offsets between rows
    // give the fill its woven look on fabric.
    int staggerSteps = 3;
};

// Rows of stitches covering the area inside the rings (an outer outline and its
// holes, even-odd). Rows that follow each other without a gap form one
// serpentine run, stitched back and forth without a jump; the caller jumps
// between runs. Every needle point lies inside the area or on its edge.
std::vector<Polyline> TatamiFill(const std::vector<Polygon>& rings, const FillStyle& style);

}  // namespace vireluna::designgen
