#include "tools/designgen/RunningStitch.h"

#include <cmath>

namespace vireluna::designgen {
namespace {

// A turn sharper than this keeps its own needle point.
constexpr double CornerRadians = 25.0 * Pi / 180.0;

bool IsCorner(Point before, Point at, Point after) {
    const Point in = at - before;
    const Point out = after - at;
    const double lengths = Length(in) * Length(out);
    if (lengths == 0.0) return false;
    const double cosine = (in.x * out.x + in.y * out.y) / lengths;
    return cosine < std::cos(CornerRadians);
}

void AppendEvenly(Polyline& stitches, const Polyline& piece, double maxLength) {
    const double length = PathLength(piece);
    const int count = static_cast<int>(std::ceil(length / maxLength - 1e-9));
    for (int i = 1; i <= count; ++i) {
        stitches.push_back(PointAlong(piece, static_cast<double>(i) / count));
    }
}

}  // namespace

Polyline RunningStitch(const Polyline& path, double maxLength) {
    Polyline stitches;
    if (path.empty() || maxLength <= 0.0) return stitches;
    stitches.push_back(path.front());
    Polyline piece = {path.front()};
    for (std::size_t i = 1; i < path.size(); ++i) {
        piece.push_back(path[i]);
        const bool last = i + 1 == path.size();
        if (last || IsCorner(path[i - 1], path[i], path[i + 1])) {
            AppendEvenly(stitches, piece, maxLength);
            piece = {path[i]};
        }
    }
    return stitches;
}

}  // namespace vireluna::designgen
