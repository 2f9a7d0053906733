#pragma once

#include <vector>

namespace vireluna::designgen {

inline constexpr double Pi = 3.14159265358979323846;

// A point in design units (0.1 mm), y growing upward as in the file.
struct Point {
    double x = 0.0;
    double y = 0.0;
};

inline Point operator+(Point a, Point b) {
    return {a.x + b.x, a.y + b.y};
}
inline Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
inline Point operator*(Point a, double s) {
    return {a.x * s, a.y * s};
}
inline Point operator*(double s, Point a) {
    return a * s;
}

// An open path: consecutive points are joined.
using Polyline = std::vector<Point>;
// A closed outline; the last point joins the first without being repeated.
using Polygon = std::vector<Point>;

double Length(Point v);
double Distance(Point a, Point b);
Point Lerp(Point a, Point b, double t);
Point Rotated(Point p, double radians);
Point Rotated(Point p, double radians, Point centre);
Point Polar(double radius, double radians);
// Unit vector at right angles to v, turned counter-clockwise; zero for a zero vector.
Point Normal(Point v);

double PathLength(const Polyline& path);
// The point a given fraction (0..1) of the way along the path, by arc length.
Point PointAlong(const Polyline& path, double fraction);
Polyline Reversed(Polyline path);
// The outline as a path that returns to its first point.
Polyline ClosedPath(const Polygon& outline);

Polyline Transformed(const Polyline& path, double scale, double radians, Point offset);

// Even-odd test against one or more closed outlines (an outer ring and its holes).
bool Inside(Point p, const std::vector<Polygon>& rings);

}  // namespace vireluna::designgen
