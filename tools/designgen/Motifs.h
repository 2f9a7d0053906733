#pragma once

#include <vector>

#include "tools/designgen/Geometry.h"

namespace vireluna::designgen {

// The two edges of a column, both running from its start to its end.
struct Rails {
    Polyline a;
    Polyline b;
};

// A column following a centre line, its width changing evenly from start to end.
Rails ColumnAlong(const Polyline& centre, double startWidth, double endWidth);

// A pointed leaf from base to tip; bend curves the midrib sideways (a share of
// the length, positive to the left of base-to-tip).
struct LeafShape {
    Point base;
    Point tip;
    double width = 0.0;
    double bend = 0.0;
};

Rails LeafRails(const LeafShape& leaf);
Polyline LeafMidrib(const LeafShape& leaf);
// A leaf sewn without a jump: a run up the midrib, then each half in satin
// slanting towards the tip like veins. Starts at the base, ends at the base.
std::vector<Polyline> SatinLeaf(const LeafShape& leaf, double spacing);

// One arm of a star, from its centre to its tip, with edges curving in.
Rails StarArmRails(Point centre, double radians, double length, double halfWidth);

// A petal with a pointed tip, widest at widestShare of its length.
Polygon PointedPetal(Point base, Point tip, double width, double widestShare);

// The two edges of a band of the given width centred on a closed outline; both
// go once round and end where they started.
Rails BorderRails(const Polygon& outline, double width);

// A rounded petal from base to tip, with a small notch at the tip.
Polygon PetalOutline(Point base, Point tip, double width);

}  // namespace vireluna::designgen
