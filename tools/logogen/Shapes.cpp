#include "tools/logogen/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vireluna::logogen {

namespace {

constexpr double kPi = std::numbers::pi;

Vec Minus(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
double Length(Vec a) {
    return std::hypot(a.x, a.y);
}

double DistanceToSegment(Vec p, Vec a, Vec b) {
    const Vec ab = Minus(b, a);
    const double lengthSquared = Dot(ab, ab);
    const double t =
        lengthSquared == 0.0 ? 0.0 : std::clamp(Dot(Minus(p, a), ab) / lengthSquared, 0.0, 1.0);
    return Length(Minus(p, {a.x + ab.x * t, a.y + ab.y * t}));
}

}  // namespace

Region Disc(Vec centre, double radius) {
    return [=](Vec p) { return Length(Minus(p, centre)) <= radius; };
}

Region Difference(Region kept, Region removed) {
    return [=](Vec p) { return kept(p) && !removed(p); };
}

Region PolygonRegion(Path vertices) {
    return [vertices = std::move(vertices)](Vec p) {
        bool inside = false;
        for (std::size_t i = 0, j = vertices.size() - 1; i < vertices.size(); j = i++) {
            const Vec a = vertices[i];
            const Vec b = vertices[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
                inside = !inside;
            }
        }
        return inside;
    };
}

Region Stroke(Path path, double halfWidth) {
    return [path = std::move(path), halfWidth](Vec p) {
        for (std::size_t i = 1; i < path.size(); ++i) {
            if (DistanceToSegment(p, path[i - 1], path[i]) <= halfWidth) return true;
        }
        return false;
    };
}

Region Leaf(Vec base, Vec tip, double width, double bend) {
    const Vec axis = Minus(tip, base);
    const double length = Length(axis);
    const Vec along{axis.x / length, axis.y / length};
    const Vec across{-along.y, along.x};
    return [=](Vec p) {
        const Vec offset = Minus(p, base);
        const double t = Dot(offset, along) / length;
        if (t < 0.0 || t > 1.0) return false;
        const double swell = std::sin(kPi * t);
        const double midline = bend * length * swell;
        return std::abs(Dot(offset, across) - midline) <= width / 2 * std::pow(swell, 0.8);
    };
}

Path CubicBezier(Vec start, Vec control1, Vec control2, Vec end, int segments) {
    Path path;
    for (int i = 0; i <= segments; ++i) {
        const double t = static_cast<double>(i) / segments;
        const double u = 1.0 - t;
        const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        path.push_back({a * start.x + b * control1.x + c * control2.x + d * end.x,
                        a * start.y + b * control1.y + c * control2.y + d * end.y});
    }
    return path;
}

Path Spiral(Vec centre, double startRadius, double endRadius, double startRadians, double turns,
            int segments) {
    Path path;
    for (int i = 0; i <= segments; ++i) {
        const double t = static_cast<double>(i) / segments;
        const double radius = startRadius + (endRadius - startRadius) * t;
        const double angle = startRadians + 2 * kPi * turns * t;
        path.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return path;
}

Path StarOutline(Vec centre, int points, double outerRadius, double innerRadius,
                 double startRadians) {
    Path path;
    for (int i = 0; i < 2 * points; ++i) {
        const double radius = i % 2 == 0 ? outerRadius : innerRadius;
        const double angle = startRadians + kPi * i / points;
        path.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
    }
    return path;
}

Vec PointAlong(const Path& path, double fraction) {
    double total = 0.0;
    for (std::size_t i = 1; i < path.size(); ++i) total += Length(Minus(path[i], path[i - 1]));
    double remaining = total * std::clamp(fraction, 0.0, 1.0);
    for (std::size_t i = 1; i < path.size(); ++i) {
        const Vec step = Minus(path[i], path[i - 1]);
        const double stepLength = Length(step);
        if (remaining <= stepLength && stepLength > 0.0) {
            const double t = remaining / stepLength;
            return {path[i - 1].x + step.x * t, path[i - 1].y + step.y * t};
        }
        remaining -= stepLength;
    }
    return path.back();
}

}  // namespace vireluna::logogen
