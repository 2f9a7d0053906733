#include "tools/designgen/TatamiFill.h"

#include <algorithm>
#include <cmath>

namespace vireluna::designgen {
namespace {

// Row pieces shorter than this are left out: they would be a knot, not a stitch.
constexpr double ShortestRow = 1.0;
// Needle points closer to a row end than this share of a stitch are dropped.
constexpr double ShortestStitchShare = 0.3;
// Rows further apart at their ends than this many stitches are not joined: the
// thread would lie across the area, not along its edge.
constexpr double LongestTurnStitches = 4.0;

struct RowPiece {
    int row = 0;
    double y = 0.0;
    double left = 0.0;
    double right = 0.0;
};

using Strip = std::vector<RowPiece>;

std::vector<Polygon> TurnedRings(const std::vector<Polygon>& rings, double radians) {
    std::vector<Polygon> turned;
    for (const Polygon& ring : rings) {
        Polygon copy;
        for (const Point p : ring) copy.push_back(Rotated(p, radians));
        turned.push_back(std::move(copy));
    }
    return turned;
}

std::vector<double> Crossings(const std::vector<Polygon>& rings, double y) {
    std::vector<double> xs;
    for (const Polygon& ring : rings) {
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const Point a = ring[j];
            const Point b = ring[i];
            if ((a.y <= y) != (b.y <= y)) xs.push_back(a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y));
        }
    }
    std::sort(xs.begin(), xs.end());
    return xs;
}

bool Overlaps(const RowPiece& a, const RowPiece& b) {
    return a.left < b.right && b.left < a.right;
}

double DistanceToSegment(Point p, Point a, Point b) {
    const Point ab = b - a;
    const double lengthSquared = ab.x * ab.x + ab.y * ab.y;
    if (lengthSquared == 0.0) return Distance(p, a);
    const double t =
        std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / lengthSquared, 0.0, 1.0);
    return Distance(p, a + ab * t);
}

// Inside the area, or so close to its edge that the thread lies along it.
bool OnFabric(Point p, const std::vector<Polygon>& rings, double tolerance) {
    if (Inside(p, rings)) return true;
    for (const Polygon& ring : rings) {
        for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            if (DistanceToSegment(p, ring[j], ring[i]) <= tolerance) return true;
        }
    }
    return false;
}

// Rows of a strip alternate direction: even rows run left to right.
Point RowStart(const RowPiece& piece, bool leftward) {
    return {leftward ? piece.right : piece.left, piece.y};
}

Point RowEnd(const RowPiece& piece, bool leftward) {
    return {leftward ? piece.left : piece.right, piece.y};
}

// The stitch from the end of a strip's last row to the start of the next one
// must not cross a hole or a gap in the area.
bool CanContinue(const Strip& strip, const RowPiece& piece, const std::vector<Polygon>& rings,
                 const FillStyle& style) {
    if (!Overlaps(strip.back(), piece)) return false;
    const bool nextLeftward = strip.size() % 2 == 1;
    const Point from = RowEnd(strip.back(), !nextLeftward);
    const Point to = RowStart(piece, nextLeftward);
    if (Distance(from, to) > LongestTurnStitches * style.stitchLength) return false;
    for (const double share : {0.25, 0.5, 0.75}) {
        if (!OnFabric(Lerp(from, to, share), rings, style.rowSpacing)) return false;
    }
    return true;
}

// Pieces of consecutive rows that overlap are chained into strips.
std::vector<Strip> BuildStrips(const std::vector<Polygon>& rings, const FillStyle& style) {
    const double spacing = style.rowSpacing;
    double low = 0.0;
    double high = -1.0;
    bool first = true;
    for (const Polygon& ring : rings) {
        for (const Point p : ring) {
            low = first ? p.y : std::min(low, p.y);
            high = first ? p.y : std::max(high, p.y);
            first = false;
        }
    }
    std::vector<Strip> strips;
    if (first) return strips;

    // Rows sit half a spacing off the grid so that they rarely meet a vertex exactly.
    const int firstRow = static_cast<int>(std::ceil(low / spacing - 0.5));
    const int lastRow = static_cast<int>(std::floor(high / spacing - 0.5));
    std::vector<std::size_t> open;
    for (int row = firstRow; row <= lastRow; ++row) {
        const double y = (row + 0.5) * spacing;
        const std::vector<double> xs = Crossings(rings, y);
        std::vector<std::size_t> stillOpen;
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const RowPiece piece = {row, y, xs[i], xs[i + 1]};
            if (piece.right - piece.left < ShortestRow) continue;
            auto joined = std::find_if(open.begin(), open.end(), [&](std::size_t s) {
                return CanContinue(strips[s], piece, rings, style);
            });
            if (joined != open.end()) {
                strips[*joined].push_back(piece);
                stillOpen.push_back(*joined);
                open.erase(joined);
            } else {
                strips.push_back({piece});
                stillOpen.push_back(strips.size() - 1);
            }
        }
        open = std::move(stillOpen);
    }
    return strips;
}

void AppendRow(Polyline& run, const RowPiece& piece, bool leftward, const FillStyle& style) {
    const double length = style.stitchLength;
    const int steps = std::max(1, style.staggerSteps);
    const int phase = ((piece.row % steps) + steps) % steps;
    const double offset = length * phase / steps;
    const double margin = length * ShortestStitchShare;

    // The turn from the row before follows the edge in stitches of the usual length.
    if (!run.empty()) {
        const Point from = run.back();
        const Point to = {leftward ? piece.right : piece.left, piece.y};
        const int turnStitches = static_cast<int>(std::ceil(Distance(from, to) / length));
        for (int i = 1; i < turnStitches; ++i)
            run.push_back(Lerp(from, to, double(i) / turnStitches));
    }

    std::vector<double> xs = {piece.left};
    const double firstK = std::ceil((piece.left + margin - offset) / length);
    for (double k = firstK;; ++k) {
        const double x = k * length + offset;
        if (x > piece.right - margin) break;
        xs.push_back(x);
    }
    xs.push_back(piece.right);
    if (leftward) std::reverse(xs.begin(), xs.end());
    for (const double x : xs) run.push_back({x, piece.y});
}

}  // namespace

std::vector<Polyline> TatamiFill(const std::vector<Polygon>& rings, const FillStyle& style) {
    std::vector<Polyline> runs;
    if (style.rowSpacing <= 0.0 || style.stitchLength <= 0.0) return runs;
    const std::vector<Polygon> turned = TurnedRings(rings, -style.radians);
    for (const Strip& strip : BuildStrips(turned, style)) {
        Polyline run;
        for (std::size_t i = 0; i < strip.size(); ++i) {
            AppendRow(run, strip[i], i % 2 == 1, style);
        }
        for (Point& p : run) p = Rotated(p, style.radians);
        runs.push_back(std::move(run));
    }
    return runs;
}

}  // namespace vireluna::designgen
