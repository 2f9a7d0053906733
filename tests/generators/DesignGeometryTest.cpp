#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/designgen/Curves.h"
#include "tools/designgen/Geometry.h"
#include "tools/designgen/Motifs.h"
#include "tools/designgen/RunningStitch.h"
#include "tools/designgen/SatinColumn.h"
#include "tools/designgen/TatamiFill.h"

namespace vireluna::designgen {
namespace {

constexpr double Tolerance = 1e-6;

double DistanceToPath(Point p, const Polyline& path) {
    double best = Distance(p, path.front());
    for (std::size_t i = 1; i < path.size(); ++i) {
        const Point a = path[i - 1];
        const Point ab = path[i] - a;
        const double lengthSquared = ab.x * ab.x + ab.y * ab.y;
        double t =
            lengthSquared == 0.0 ? 0.0 : ((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / lengthSquared;
        t = std::fmax(0.0, std::fmin(1.0, t));
        best = std::fmin(best, Distance(p, a + ab * t));
    }
    return best;
}

// Inside the area or on (within a hair of) its edge.
bool OnArea(Point p, const std::vector<Polygon>& rings, double slack) {
    if (Inside(p, rings)) return true;
    for (const Polygon& ring : rings) {
        if (DistanceToPath(p, ClosedPath(ring)) <= slack) return true;
    }
    return false;
}

double LongestStitch(const Polyline& stitches) {
    double longest = 0.0;
    for (std::size_t i = 1; i < stitches.size(); ++i) {
        longest = std::fmax(longest, Distance(stitches[i - 1], stitches[i]));
    }
    return longest;
}

TEST(Geometry, PointAlongGoesByArcLength) {
    const Polyline ell = {{0, 0}, {30, 0}, {30, 10}};
    EXPECT_NEAR(PointAlong(ell, 0.5).x, 20.0, Tolerance);
    EXPECT_NEAR(PointAlong(ell, 0.9).y, 6.0, Tolerance);
    EXPECT_NEAR(PointAlong(ell, 2.0).y, 10.0, Tolerance);  // clamped to the end
}

TEST(Geometry, InsideSkipsHoles) {
    const std::vector<Polygon> ring = {Circle({0, 0}, 100.0, 64), Circle({0, 0}, 50.0, 64)};
    EXPECT_FALSE(Inside({0, 0}, ring));
    EXPECT_TRUE(Inside({75, 0}, ring));
    EXPECT_TRUE(Inside({0, -75}, ring));
    EXPECT_FALSE(Inside({120, 0}, ring));
}

TEST(Motifs, ColumnAlongNarrowsEvenly) {
    const Polyline centre = {{0, 0}, {50, 0}, {100, 0}};
    const Rails rails = ColumnAlong(centre, 20.0, 6.0);
    ASSERT_EQ(rails.a.size(), centre.size());
    EXPECT_NEAR(Distance(rails.a[0], rails.b[0]), 20.0, Tolerance);
    EXPECT_NEAR(Distance(rails.a[1], rails.b[1]), 13.0, Tolerance);
    EXPECT_NEAR(Distance(rails.a[2], rails.b[2]), 6.0, Tolerance);
}

TEST(Motifs, BorderRailsGoRoundAndClose) {
    const Polygon outline = Circle({0, 0}, 80.0, 60);
    const Rails rails = BorderRails(outline, 10.0);
    ASSERT_EQ(rails.a.size(), outline.size() + 1);
    EXPECT_LT(Distance(rails.a.front(), rails.a.back()), Tolerance);
    for (std::size_t i = 0; i < rails.a.size(); ++i) {
        EXPECT_NEAR(std::fabs(Length(rails.a[i]) - Length(rails.b[i])), 10.0, 0.05);
    }
}

TEST(Motifs, PetalsReachFromBaseToTip) {
    const Point base = {10, 10};
    const Point tip = {10, 110};
    for (const Polygon& petal :
         {PointedPetal(base, tip, 40.0, 0.4), PetalOutline(base, tip, 40.0)}) {
        double top = base.y;
        double widest = 0.0;
        for (const Point p : petal) {
            top = std::fmax(top, p.y);
            widest = std::fmax(widest, std::fabs(p.x - base.x));
            EXPECT_GE(p.y, base.y - Tolerance);
        }
        // The rounded petal's notch and lobes stop a little short of the tip.
        EXPECT_GE(top, Lerp(base, tip, 0.9).y);
        EXPECT_LE(top, tip.y + Tolerance);
        EXPECT_NEAR(2 * widest, 40.0, 8.0);
        EXPECT_TRUE(Inside(Lerp(base, tip, 0.5), {petal}));
    }
}

TEST(RunningStitch, KeepsCornersAndStitchLength) {
    const Polyline square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
    const Polyline stitches = RunningStitch(square, 22.0);
    EXPECT_LE(LongestStitch(stitches), 22.0 + Tolerance);
    for (const Point corner : square) {
        bool found = false;
        for (const Point p : stitches) found = found || Distance(p, corner) < Tolerance;
        EXPECT_TRUE(found) << corner.x << "," << corner.y;
    }
    // 100 units need five stitches of at most 22 per side.
    EXPECT_EQ(stitches.size(), 1u + 4u * 5u);
}

TEST(RunningStitch, SmoothCurveIsDividedEvenly) {
    const Polyline arc = Arc({0, 0}, 100.0, 0.0, Pi, 200);
    const Polyline stitches = RunningStitch(arc, 20.0);
    EXPECT_LT(stitches.size(), 20u);  // not one needle point per sampled piece
    const double first = Distance(stitches[0], stitches[1]);
    for (std::size_t i = 1; i < stitches.size(); ++i) {
        EXPECT_NEAR(Distance(stitches[i - 1], stitches[i]), first, 0.5);
        EXPECT_NEAR(Length(stitches[i]), 100.0, 0.5);
    }
}

TEST(SatinColumn, AlternatesBetweenTheRails) {
    const Polyline railA = Arc({0, 0}, 150.0, 0.0, Pi / 2, 60);
    const Polyline railB = Arc({0, 0}, 110.0, 0.0, Pi / 2, 60);
    const Polyline stitches = SatinColumn(railA, railB, 4.0);
    ASSERT_GE(stitches.size(), 4u);
    ASSERT_EQ(stitches.size() % 2, 0u);
    for (std::size_t i = 0; i < stitches.size(); ++i) {
        const Polyline& rail = i % 2 == 0 ? railA : railB;
        EXPECT_LT(DistanceToPath(stitches[i], rail), 0.01) << i;
    }
    EXPECT_LT(Distance(stitches.front(), railA.front()), Tolerance);
    EXPECT_LT(Distance(stitches.back(), railB.back()), Tolerance);
    // About the asked spacing on average between neighbouring stitches.
    const double average = (PathLength(railA) + PathLength(railB)) / 2;
    EXPECT_NEAR(average / (stitches.size() / 2 - 1), 4.0, 0.1);
}

TEST(SatinColumn, SlantedRailTrailsThenCatchesUp) {
    const Polyline railA = {{0, 20}, {100, 20}};
    const Polyline railB = {{0, 0}, {100, 0}};
    const Polyline stitches = SlantedSatin(railA, railB, 4.0, 0.2);
    ASSERT_GE(stitches.size(), 4u);
    for (std::size_t i = 0; i + 1 < stitches.size(); i += 2) {
        EXPECT_LE(stitches[i + 1].x, stitches[i].x + Tolerance);  // B never leads A
    }
    EXPECT_NEAR(stitches[1].x, 0.0, Tolerance);
    EXPECT_NEAR(stitches.back().x, 100.0, Tolerance);
    EXPECT_TRUE(SlantedSatin(railA, railB, 4.0, 1.0).empty());
}

TEST(SatinColumn, CentreRunFollowsTheMiddle) {
    const Polyline railA = {{0, 30}, {200, 30}};
    const Polyline railB = {{0, -10}, {200, -10}};
    const Polyline run = CentreRun(railA, railB, 25.0);
    EXPECT_LE(LongestStitch(run), 25.0 + Tolerance);
    for (const Point p : run) EXPECT_NEAR(p.y, 10.0, Tolerance);
    EXPECT_NEAR(run.front().x, 0.0, Tolerance);
    EXPECT_NEAR(run.back().x, 200.0, Tolerance);
}

void ExpectFillStaysOnArea(const std::vector<Polygon>& rings, const FillStyle& style) {
    const std::vector<Polyline> runs = TatamiFill(rings, style);
    ASSERT_FALSE(runs.empty());
    for (const Polyline& run : runs) {
        for (std::size_t i = 0; i < run.size(); ++i) {
            EXPECT_TRUE(OnArea(run[i], rings, Tolerance)) << run[i].x << "," << run[i].y;
            if (i == 0) continue;
            // The thread between two needle points lies on the area too, give or take
            // the curve of an edge between two rows.
            for (const double share : {0.25, 0.5, 0.75}) {
                const Point between = Lerp(run[i - 1], run[i], share);
                EXPECT_TRUE(OnArea(between, rings, style.rowSpacing))
                    << between.x << "," << between.y;
            }
            EXPECT_LE(Distance(run[i - 1], run[i]), 1.6 * style.stitchLength + Tolerance);
        }
    }
}

TEST(TatamiFill, StaysInsideAConcaveShape) {
    const Polygon letterU = {{0, 0},    {150, 0}, {150, 150}, {110, 150},
                             {110, 40}, {40, 40}, {40, 150},  {0, 150}};
    ExpectFillStaysOnArea({letterU}, {0.0, 4.0, 30.0, 3});
    ExpectFillStaysOnArea({letterU}, {0.7, 4.0, 30.0, 3});
}

TEST(TatamiFill, LeavesTheHoleOfARingEmpty) {
    const std::vector<Polygon> ring = {Circle({0, 0}, 200.0, 90), Circle({0, 0}, 120.0, 90)};
    ExpectFillStaysOnArea(ring, {0.0, 3.0, 20.0, 3});
    ExpectFillStaysOnArea(ring, {Pi / 2, 12.0, 35.0, 1});
}

TEST(TatamiFill, CoversARectangleRowByRow) {
    const Polygon box = {{0, 0}, {120, 0}, {120, 40}, {0, 40}};
    const std::vector<Polyline> runs = TatamiFill({box}, {0.0, 4.0, 30.0, 3});
    ASSERT_EQ(runs.size(), 1u);  // one serpentine, no jump
    std::vector<double> rows;
    for (const Point p : runs[0]) {
        if (rows.empty() || std::fabs(rows.back() - p.y) > Tolerance) rows.push_back(p.y);
    }
    ASSERT_EQ(rows.size(), 10u);
    for (std::size_t i = 1; i < rows.size(); ++i)
        EXPECT_NEAR(rows[i] - rows[i - 1], 4.0, Tolerance);
    // Neighbouring rows place their needle points at different offsets.
    auto firstInner = [&](double y) {
        for (const Point p : runs[0]) {
            if (std::fabs(p.y - y) < Tolerance && p.x > Tolerance && p.x < 120 - Tolerance)
                return p.x;
        }
        return -1.0;
    };
    EXPECT_NE(std::fmod(firstInner(rows[0]), 30.0), std::fmod(firstInner(rows[1]), 30.0));
}

TEST(TatamiFill, EmptyOrDegenerateInputGivesNoRows) {
    EXPECT_TRUE(TatamiFill({}, {}).empty());
    EXPECT_TRUE(TatamiFill({{{0, 0}, {10, 0}, {20, 0}}}, {}).empty());
    EXPECT_TRUE(TatamiFill({{{0, 0}, {10, 0}, {10, 10}}}, {0.0, 0.0, 30.0, 3}).empty());
}

}  // namespace
}  // namespace vireluna::designgen
