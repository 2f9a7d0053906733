#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "raster/RasterSurface.h"

namespace vireluna::raster {
namespace {

constexpr Rgb kPaper{255, 255, 255};
constexpr ColourValue kInk = 0x02000000;  // black, with the flag byte set
constexpr Rgb kInkRgb{0, 0, 0};

struct Point {
    int x;
    int y;
};

class LineCanvas {
  public:
    LineCanvas(int width, int height) : image_(width, height, kPaper), surface_(image_, logo_) {}

    void Polyline(int width, const std::vector<Point>& points) {
        surface_.SetPen(width, kInk);
        surface_.MoveTo(points[0].x, points[0].y);
        for (std::size_t i = 1; i < points.size(); ++i) surface_.LineTo(points[i].x, points[i].y);
    }
    void Line(int width, Point from, Point to) { Polyline(width, {from, to}); }
    bool Inked(int x, int y) const {
        return image_.Contains(x, y) && image_.PixelAt(x, y) == kInkRgb;
    }
    std::set<std::pair<int, int>> InkedPixels() const {
        std::set<std::pair<int, int>> inked;
        for (int y = 0; y < image_.Height(); ++y)
            for (int x = 0; x < image_.Width(); ++x)
                if (Inked(x, y)) inked.insert({x, y});
        return inked;
    }
    const RasterImage& Image() const { return image_; }

  private:
    RasterImage logo_;
    RasterImage image_;
    RasterSurface surface_;
};

TEST(RasterThinLine, DrawsStartPointButNotEndPoint) {
    for (const Point end :
         {Point{18, 10}, Point{2, 10}, Point{10, 19}, Point{16, 3}, Point{4, 16}}) {
        LineCanvas canvas(24, 24);
        canvas.Line(1, {10, 10}, end);
        EXPECT_TRUE(canvas.Inked(10, 10));
        EXPECT_FALSE(canvas.Inked(end.x, end.y)) << end.x << "," << end.y;
        // One pixel per step along the longer axis, the end point left out.
        const int steps = std::max(std::abs(end.x - 10), std::abs(end.y - 10));
        EXPECT_EQ(canvas.InkedPixels().size(), static_cast<std::size_t>(steps));
    }
    LineCanvas dot(8, 8);
    dot.Line(1, {3, 3}, {3, 3});
    EXPECT_TRUE(dot.InkedPixels().empty());
}

TEST(RasterThinLine, ChainDrawsEveryVertexButTheLastWithoutGaps) {
    const std::vector<Point> chain{{2, 2}, {30, 9}, {12, 28}, {12, 5}, {29, 29}};
    LineCanvas canvas(32, 32);
    canvas.Polyline(1, chain);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i)
        EXPECT_TRUE(canvas.Inked(chain[i].x, chain[i].y));
    EXPECT_FALSE(canvas.Inked(29, 29));
    // Every inked pixel is reachable from the start through 8-neighbours.
    const auto inked = canvas.InkedPixels();
    std::set<std::pair<int, int>> reached{{2, 2}};
    std::vector<std::pair<int, int>> open{{2, 2}};
    while (!open.empty()) {
        const auto [x, y] = open.back();
        open.pop_back();
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (inked.count({x + dx, y + dy}) && reached.insert({x + dx, y + dy}).second)
                    open.push_back({x + dx, y + dy});
    }
    EXPECT_EQ(reached.size(), inked.size());
}

TEST(RasterWidePen, WidthThreeHasRoundEndsAndFullBody) {
    LineCanvas canvas(32, 24);
    canvas.Line(3, {10, 10}, {20, 10});
    for (int x = 10; x <= 20; ++x)
        for (int y = 9; y <= 11; ++y) EXPECT_TRUE(canvas.Inked(x, y)) << x << "," << y;
    // Each end reaches one pixel further on the centre row only.
    for (const int x : {9, 21}) {
        EXPECT_TRUE(canvas.Inked(x, 10));
        EXPECT_FALSE(canvas.Inked(x, 9));
        EXPECT_FALSE(canvas.Inked(x, 11));
    }
    EXPECT_FALSE(canvas.Inked(8, 10));
    EXPECT_FALSE(canvas.Inked(22, 10));
    EXPECT_FALSE(canvas.Inked(15, 8));
    EXPECT_FALSE(canvas.Inked(15, 12));
}

TEST(RasterWidePen, WidthTwoIsTwoPixelsThick) {
    LineCanvas canvas(32, 24);
    canvas.Line(2, {10, 10}, {20, 10});
    EXPECT_EQ(canvas.InkedPixels().size(), 2u * 12u);
    for (int x = 9; x <= 20; ++x) EXPECT_TRUE(canvas.Inked(x, 9) && canvas.Inked(x, 10));
}

TEST(RasterThinLine, AHalfWayStepGoesToTheSmallerCoordinate) {
    // Half-way steps fall on every other column of a 4 x 2 slope; the display keeps them on
    // the smaller minor coordinate whichever way the line runs.
    LineCanvas falling(8, 8), rising(8, 8), upright(8, 8);
    falling.Line(1, {0, 0}, {4, 2});
    rising.Line(1, {0, 2}, {4, 0});
    upright.Line(1, {2, 4}, {0, 0});
    using Pixels = std::set<std::pair<int, int>>;
    EXPECT_EQ(falling.InkedPixels(), (Pixels{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));
    EXPECT_EQ(rising.InkedPixels(), (Pixels{{0, 2}, {1, 1}, {2, 1}, {3, 0}}));
    EXPECT_EQ(upright.InkedPixels(), (Pixels{{2, 4}, {1, 3}, {1, 2}, {0, 1}}));
}

TEST(RasterWidePen, DiagonalBandIsAsWideAsTheDisplayDrawsIt) {
    // Across a 45-degree line the display reaches the larger rounding of half the width on one
    // side and the smaller on the other, in x and in y: a row meets 4 pixels at width 2 and 6
    // at width 3 (measured on the display).
    for (const auto& [width, across] : {std::pair{2, 4}, std::pair{3, 6}}) {
        LineCanvas canvas(40, 40);
        canvas.Line(width, {5, 5}, {35, 35});
        int run = 0;
        for (int x = 0; x < 40; ++x) run += canvas.Inked(x, 20) ? 1 : 0;
        EXPECT_EQ(run, across) << "width " << width;
    }
}

// A zero-length line leaves the round dot its caps make.
TEST(RasterWidePen, RoundCapsHaveTheDisplaysShape) {
    // Dots of widths 3, 4 and 5 as the display paints them, the end point marked by the centre.
    const auto dot = [](int width) {
        LineCanvas canvas(12, 12);
        canvas.Line(width, {5, 5}, {5, 5});
        std::set<std::pair<int, int>> offsets;
        for (const auto& [x, y] : canvas.InkedPixels()) offsets.insert({x - 5, y - 5});
        return offsets;
    };
    std::set<std::pair<int, int>> four, five;
    for (int dy = -2; dy <= 1; ++dy)
        for (int dx = -2; dx <= 1; ++dx)
            if ((dy != -2 && dy != 1) || dx == -1 || dx == 0) four.insert({dx, dy});
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (std::abs(dy) < 2 || std::abs(dx) < 2) five.insert({dx, dy});
    EXPECT_EQ(dot(3), (std::set<std::pair<int, int>>{{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}}));
    EXPECT_EQ(dot(4), four);
    EXPECT_EQ(dot(5), five);
}

TEST(RasterWidePen, JoinsCoverTheWholeDiscAtEveryVertex) {
    const std::vector<Point> chain{{4, 4}, {30, 8}, {6, 20}, {28, 28}, {28, 6}};
    LineCanvas canvas(36, 36);
    canvas.Polyline(3, chain);
    for (const Point& p : chain) {
        for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            EXPECT_TRUE(canvas.Inked(p.x + dx, p.y + dy)) << p.x + dx << "," << p.y + dy;
    }
}

TEST(RasterWidePen, WidthsBelowOneDrawAsOne) {
    LineCanvas thin(20, 20), zero(20, 20), negative(20, 20);
    thin.Line(1, {1, 2}, {17, 9});
    zero.Line(0, {1, 2}, {17, 9});
    negative.Line(-5, {1, 2}, {17, 9});
    EXPECT_EQ(zero.InkedPixels(), thin.InkedPixels());
    EXPECT_EQ(negative.InkedPixels(), thin.InkedPixels());
}

// A line that leaves the image must paint exactly the pixels the same line paints on a
// larger image that holds it whole.
TEST(RasterClipping, ClippedLinesMatchUnclippedOnes) {
    constexpr int kSmall = 30, kMargin = 60, kLarge = kSmall + 2 * kMargin;
    auto check = [](int width, Point from, Point to) {
        LineCanvas small(kSmall, kSmall), large(kLarge, kLarge);
        small.Line(width, from, to);
        large.Line(width, {from.x + kMargin, from.y + kMargin}, {to.x + kMargin, to.y + kMargin});
        for (int y = 0; y < kSmall; ++y)
            for (int x = 0; x < kSmall; ++x)
                if (small.Inked(x, y) != large.Inked(x + kMargin, y + kMargin)) {
                    ADD_FAILURE() << "width " << width << " from " << from.x << "," << from.y
                                  << " to " << to.x << "," << to.y << " at " << x << "," << y;
                    return;
                }
    };
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-kMargin + 1, kSmall + kMargin - 2);
    for (int trial = 0; trial < 600; ++trial) {
        check(1 + trial % 3, {coordinate(random), coordinate(random)},
              {coordinate(random), coordinate(random)});
    }
    // Fans of lines with simple slopes, whose crossings of the image edge fall exactly on
    // pixel boundaries.
    for (int width = 1; width <= 3; ++width) {
        for (int end = -40; end <= 70; ++end) {
            check(width, {-20, -10}, {end, 50});
            check(width, {50, 12}, {-30, end});
            check(width, {end, -20}, {15, 45});
        }
    }
}

TEST(RasterClipping, FarCoordinatesClipQuicklyAndExactly) {
    LineCanvas row(40, 30);
    row.Line(1, {-2000000000, 15}, {2000000000, 15});
    for (int x = 0; x < 40; ++x) EXPECT_TRUE(row.Inked(x, 15));
    EXPECT_EQ(row.InkedPixels().size(), 40u);

    // From corner to corner of the whole int range: exactly the main diagonal.
    LineCanvas diagonal(40, 30);
    diagonal.Line(1, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX});
    EXPECT_EQ(diagonal.InkedPixels().size(), 30u);
    EXPECT_TRUE(diagonal.Inked(7, 7));

    LineCanvas wide(40, 30);
    wide.Line(3, {INT_MAX, 10}, {INT_MIN, 10});
    EXPECT_EQ(wide.InkedPixels().size(), 3u * 40u);

    // Lines between far-away points through a pixel of the image: each paints that pixel.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> far(-1000000000, 1000000000);
    std::uniform_int_distribution<int> inside(0, 29);
    for (int i = 0; i < 1000; ++i) {
        const Point centre{inside(random), inside(random)};
        const Point reach{far(random), far(random)};
        LineCanvas canvas(40, 30);
        canvas.Line(1 + i % 3, {centre.x + reach.x, centre.y + reach.y},
                    {centre.x - reach.x, centre.y - reach.y});
        ASSERT_TRUE(canvas.Inked(centre.x, centre.y)) << i;
    }
}

}  // namespace
}  // namespace vireluna::raster
