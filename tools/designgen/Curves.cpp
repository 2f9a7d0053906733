#include "tools/designgen/Curves.h"

#include <algorithm>
#include <cmath>

namespace vireluna::designgen {
namespace {

// Points closer than this are the same needle position.
constexpr double SamePointDistance = 1e-9;

}  // namespace

Polyline CubicBezier(Point p0, Point p1, Point p2, Point p3, int segments) {
    segments = std::max(1, segments);
    Polyline path;
    path.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const double t = static_cast<double>(i) / segments;
        const double u = 1.0 - t;
        path.push_back(p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) +
                       p3 * (t * t * t));
    }
    return path;
}

Polyline Arc(Point centre, double radius, double startRadians, double endRadians, int segments) {
    segments = std::max(1, segments);
    Polyline path;
    path.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const double angle = startRadians + (endRadians - startRadians) * i / segments;
        path.push_back(centre + Polar(radius, angle));
    }
    return path;
}

Polygon Ellipse(Point centre, double radiusX, double radiusY, double radians, int segments) {
    segments = std::max(3, segments);
    Polygon outline;
    outline.reserve(segments);
    for (int i = 0; i < segments; ++i) {
        const double angle = 2 * Pi * i / segments;
        const Point onAxes = {radiusX * std::cos(angle), radiusY * std::sin(angle)};
        outline.push_back(centre + Rotated(onAxes, radians));
    }
    return outline;
}

Polyline Spiral(Point centre, double startRadius, double endRadius, double startRadians,
                double turns, int segments) {
    segments = std::max(1, segments);
    Polyline path;
    path.reserve(segments + 1);
    for (int i = 0; i <= segments; ++i) {
        const double t = static_cast<double>(i) / segments;
        const double radius = startRadius + (endRadius - startRadius) * t;
        path.push_back(centre + Polar(radius, startRadians + 2 * Pi * turns * t));
    }
    return path;
}

Polygon Circle(Point centre, double radius, int segments) {
    return Ellipse(centre, radius, radius, 0.0, segments);
}

void Append(Polyline& base, const Polyline& path) {
    auto first = path.begin();
    if (!base.empty() && first != path.end() && Distance(base.back(), *first) < SamePointDistance) {
        ++first;
    }
    base.insert(base.end(), first, path.end());
}

}  // namespace vireluna::designgen
