#include "tools/designgen/Geometry.h"

#include <algorithm>
#include <cmath>

namespace vireluna::designgen {

double Length(Point v) {
    return std::hypot(v.x, v.y);
}

double Distance(Point a, Point b) {
    return Length(b - a);
}

Point Lerp(Point a, Point b, double t) {
    return a + (b - a) * t;
}

Point Rotated(Point p, double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

Point Rotated(Point p, double radians, Point centre) {
    return centre + Rotated(p - centre, radians);
}

Point Polar(double radius, double radians) {
    return {radius * std::cos(radians), radius * std::sin(radians)};
}

Point Normal(Point v) {
    const double length = Length(v);
    if (length == 0.0) return {};
    return {-v.y / length, v.x / length};
}

double PathLength(const Polyline& path) {
    double total = 0.0;
    for (std::size_t i = 1; i < path.size(); ++i) total += Distance(path[i - 1], path[i]);
    return total;
}

Point PointAlong(const Polyline& path, double fraction) {
    if (path.empty()) return {};
    const double target = std::clamp(fraction, 0.0, 1.0) * PathLength(path);
    double walked = 0.0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const double step = Distance(path[i - 1], path[i]);
        if (step > 0.0 && walked + step >= target) {
            return Lerp(path[i - 1], path[i], (target - walked) / step);
        }
        walked += step;
    }
    return path.back();
}

Polyline Reversed(Polyline path) {
    std::reverse(path.begin(), path.end());
    return path;
}

Polyline ClosedPath(const Polygon& outline) {
    Polyline path = outline;
    if (!outline.empty()) path.push_back(outline.front());
    return path;
}

Polyline Transformed(const Polyline& path, double scale, double radians, Point offset) {
    Polyline result;
    result.reserve(path.size());
    for (const Point p : path) result.push_back(offset + Rotated(p * scale, radians));
    return result;
}

bool Inside(Point p, const std::vector<Polygon>& rings) {
    bool inside = false;
    for (const Polygon& ring : rings) {
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const Point a = ring[i];
            const Point b = ring[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (b.x - a.x) * (p.y - a.y) / (b.y - a.y)) {
                inside = !inside;
            }
        }
    }
    return inside;
}

}  // namespace vireluna::designgen
