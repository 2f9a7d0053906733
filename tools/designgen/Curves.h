#pragma once

#include "tools/designgen/Geometry.h"

namespace vireluna::designgen {

// Curves sampled into short straight pieces; segment counts are the caller's
// choice so that each shape is fine enough for its size.
Polyline CubicBezier(Point p0, Point p1, Point p2, Point p3, int segments);
Polyline Arc(Point centre, double radius, double startRadians, double endRadians, int segments);
Polygon Ellipse(Point centre, double radiusX, double radiusY, double radians, int segments);
// A spiral from startRadius to endRadius about centre, turning counter-clockwise
// for positive turns.
Polyline Spiral(Point centre, double startRadius, double endRadius, double startRadians,
                double turns, int segments);
Polygon Circle(Point centre, double radius, int segments);

// Appends path to the end of base, dropping a first point that repeats base's last.
void Append(Polyline& base, const Polyline& path);

}  // namespace vireluna::designgen
