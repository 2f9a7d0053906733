#pragma once

#include <vector>

#include "tools/logogen/Canvas.h"

namespace vireluna::logogen {

using Path = std::vector<Vec>;

Region Disc(Vec centre, double radius);
Region Difference(Region kept, Region removed);
// Inside by the even-odd rule.
Region PolygonRegion(Path vertices);
// Everything within halfWidth of the path: a stroke with round ends.
Region Stroke(Path path, double halfWidth);
// A pointed leaf from base to tip, bowed sideways by bend times its length.
Region Leaf(Vec base, Vec tip, double width, double bend);

Path CubicBezier(Vec start, Vec control1, Vec control2, Vec end, int segments);
// From startRadius to endRadius while turning by the given number of turns.
Path Spiral(Vec centre, double startRadius, double endRadius, double startRadians, double turns,
            int segments);
// A star with the given number of points, the first pointing along startRadians.
Path StarOutline(Vec centre, int points, double outerRadius, double innerRadius,
                 double startRadians);
// The point a fraction of the way along the path, measured by length.
Vec PointAlong(const Path& path, double fraction);

}  // namespace vireluna::logogen
