#include "tools/designgen/Motifs.h"

#include "tools/designgen/Curves.h"
#include "tools/designgen/Density.h"
#include "tools/designgen/RunningStitch.h"
#include "tools/designgen/SatinColumn.h"

namespace vireluna::designgen {
namespace {

// Fine enough that a curve's pieces stay a few units long at these sizes.
constexpr int CurveSegments = 40;
// How far the midrib trails the edge in a leaf's satin: the slant of the veins.
constexpr double VeinLag = 0.18;

}  // namespace

Rails ColumnAlong(const Polyline& centre, double startWidth, double endWidth) {
    Rails rails;
    const double length = PathLength(centre);
    double walked = 0.0;
    for (std::size_t i = 0; i < centre.size(); ++i) {
        if (i > 0) walked += Distance(centre[i - 1], centre[i]);
        const Point before = centre[i == 0 ? 0 : i - 1];
        const Point after = centre[i + 1 == centre.size() ? i : i + 1];
        const double share = length > 0.0 ? walked / length : 0.0;
        const Point side =
            Normal(after - before) * ((startWidth + (endWidth - startWidth) * share) / 2);
        rails.a.push_back(centre[i] + side);
        rails.b.push_back(centre[i] - side);
    }
    return rails;
}

Polyline LeafMidrib(const LeafShape& leaf) {
    const Point along = leaf.tip - leaf.base;
    const Point side = Normal(along) * (Length(along) * leaf.bend);
    return CubicBezier(leaf.base, leaf.base + along * 0.33 + side, leaf.base + along * 0.66 + side,
                       leaf.tip, CurveSegments);
}

Rails LeafRails(const LeafShape& leaf) {
    const Point along = leaf.tip - leaf.base;
    const Point side = Normal(along);
    const Point bend = side * (Length(along) * leaf.bend);
    const double half = leaf.width / 2.0;
    auto edge = [&](double sign) {
        return CubicBezier(leaf.base, leaf.base + along * 0.25 + bend + side * (sign * half * 1.25),
                           leaf.base + along * 0.7 + bend + side * (sign * half * 1.05), leaf.tip,
                           CurveSegments);
    };
    return {edge(1.0), edge(-1.0)};
}

std::vector<Polyline> SatinLeaf(const LeafShape& leaf, double spacing) {
    const Polyline midrib = LeafMidrib(leaf);
    const Rails edges = LeafRails(leaf);
    return {RunningStitch(midrib, density::UnderlayLength),
            Reversed(SlantedSatin(edges.a, midrib, spacing, VeinLag)),
            SlantedSatin(edges.b, midrib, spacing, VeinLag)};
}

Rails StarArmRails(Point centre, double radians, double length, double halfWidth) {
    const Point direction = Polar(1.0, radians);
    const Point side = Normal(direction) * halfWidth;
    const Point tip = centre + direction * length;
    auto edge = [&](double sign) {
        const Point start = centre + side * sign;
        return CubicBezier(start, start + direction * (length * 0.35) - side * (sign * 0.6),
                           tip - direction * (length * 0.3), tip, CurveSegments / 2);
    };
    return {edge(1.0), edge(-1.0)};
}

Polygon PointedPetal(Point base, Point tip, double width, double widestShare) {
    const Point along = tip - base;
    const Point side = Normal(along) * (width / 2.0);
    const Point widest = base + along * widestShare;
    const Point before = along * (widestShare * 0.5);
    const Point after = along * ((1.0 - widestShare) * 0.45);
    const int segments = CurveSegments / 2;
    Polygon outline =
        CubicBezier(base, base + side * 0.5, widest + side - before, widest + side, segments);
    Append(outline, CubicBezier(widest + side, widest + side + after,
                                tip + side * 0.2 - along * 0.12, tip, segments));
    Append(outline, CubicBezier(tip, tip - side * 0.2 - along * 0.12, widest - side + after,
                                widest - side, segments));
    Append(outline,
           CubicBezier(widest - side, widest - side - before, base - side * 0.5, base, segments));
    outline.pop_back();  // the base closes the outline
    return outline;
}

Rails BorderRails(const Polygon& outline, double width) {
    Rails rails;
    const std::size_t count = outline.size();
    for (std::size_t i = 0; i <= count; ++i) {
        const Point before = outline[(i + count - 1) % count];
        const Point after = outline[(i + 1) % count];
        const Point side = Normal(after - before) * (width / 2.0);
        rails.a.push_back(outline[i % count] + side);
        rails.b.push_back(outline[i % count] - side);
    }
    return rails;
}

Polygon PetalOutline(Point base, Point tip, double width) {
    const Point along = tip - base;
    const Point side = Normal(along) * (width / 2.0);
    const Point notch = base + along * 0.9;
    Polygon outline =
        CubicBezier(base, base + along * 0.2 + side * 1.1, base + along * 1.05 + side * 1.3,
                    notch + side * 0.05, CurveSegments);
    Append(outline, CubicBezier(notch - side * 0.05, base + along * 1.05 - side * 1.3,
                                base + along * 0.2 - side * 1.1, base, CurveSegments));
    outline.pop_back();  // the base closes the outline
    return outline;
}

}  // namespace vireluna::designgen
