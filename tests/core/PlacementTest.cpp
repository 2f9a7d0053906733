#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <tuple>

#include "core/presentation/Placement.h"
#include "tests/core/DesignFixture.h"

namespace vireluna {
namespace {

using fakes::At;
using fakes::DesignOf;

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr ScreenSize Screen1024{1024, 768};

std::tuple<int, int, int> Xyk(const StitchRecord& r) {
    return {r.x, r.y, int(r.kind)};
}

// The first seed whose first draw leaves the given remainder.
std::uint32_t SeedWithFirstDraw(int modulus, int remainder) {
    std::uint32_t seed = 0;
    while (Random(seed).Next() % modulus != remainder) ++seed;
    return seed;
}

TEST(Rounding, HalvesGoAwayFromZeroAndExtremesSaturate) {
    EXPECT_EQ(RoundHalfAway(2.5), 3);
    EXPECT_EQ(RoundHalfAway(-2.5), -3);
    EXPECT_EQ(RoundHalfAway(0.5), 1);
    EXPECT_EQ(RoundHalfAway(-0.5), -1);
    EXPECT_EQ(RoundHalfAway(-0.7), -1);
    EXPECT_EQ(RoundHalfAway(-0.3), 0);
    EXPECT_EQ(RoundHalfAway(0.49), 0);
    EXPECT_EQ(RoundHalfAway(2147483647.5), Int32Max);
    EXPECT_EQ(RoundHalfAway(-1e300), Int32Min);
    EXPECT_EQ(RoundHalfAway(std::nan("")), 0);
    EXPECT_EQ(TruncateToInt32(-118.75), -118);
    EXPECT_EQ(TruncateToInt32(3e9), Int32Max);
}

TEST(RotateDesign, AngleComesFromOneDrawInTheSettingsRange) {
    struct Range {
        std::int32_t rotation;
        int modulus;
        int shift;
    };
    // Rotation 1 and 2 give -8..+7 and -45..+44; every other value a full turn 0..359.
    for (const Range range : {Range{1, 16, 8}, Range{2, 90, 45}, Range{3, 360, 0}, Range{7, 360, 0},
                              Range{-1, 360, 0}}) {
        SCOPED_TRACE(range.rotation);
        const Design design = DesignOf({At(0, 0), At(20, 10)});
        const StitchArray placed = AllocateStitchArray();
        int lowest = Int32Max;
        int highest = Int32Min;
        for (std::uint32_t seed = 0; seed < 2000; ++seed) {
            Random random(seed);
            Random expected(seed);
            const int angle = RotateDesign(design, range.rotation, random, placed.get());
            ASSERT_EQ(angle, expected.Next() % range.modulus - range.shift);
            ASSERT_EQ(random.State(), expected.State());
            lowest = std::min(lowest, angle);
            highest = std::max(highest, angle);
        }
        EXPECT_EQ(lowest, -range.shift);
        EXPECT_EQ(highest, range.modulus - 1 - range.shift);
    }
}

TEST(RotateDesign, NoRotationCopiesEveryRecordAndDrawsNothing) {
    const Design design = DesignOf(
        {At(3, 4), At(-7, 9, StitchKind::Jump), At(8, 1, static_cast<StitchKind>(7)), At(11, -2)});
    const StitchArray placed = AllocateStitchArray();
    Random random(1234);
    EXPECT_EQ(RotateDesign(design, 0, random, placed.get()), 0);
    EXPECT_EQ(random.State(), 1234u);
    for (int i = 0; i <= 4; ++i) EXPECT_EQ(Xyk(placed[i]), Xyk(design.records[i]));
}

// y grows downward, so a positive angle turns counter-clockwise on the screen. The centre is
// min + ((max - min) >> 1): for x from -5 to 0 it is -3, not (-5 + 0) / 2 = -2.
TEST(RotateDesign, TurnsCounterClockwiseAboutTheIntegerCentre) {
    const Design cross = DesignOf({At(-10, 0), At(10, 0), At(0, 10), At(0, -10)});
    const StitchArray placed = AllocateStitchArray();
    Random plus90(SeedWithFirstDraw(360, 90));
    ASSERT_EQ(RotateDesign(cross, 3, plus90, placed.get()), 90);
    EXPECT_EQ(Xyk(placed[1]), Xyk(At(0, -10)));  // right of the centre -> above it
    EXPECT_EQ(Xyk(placed[2]), Xyk(At(10, 0)));
    EXPECT_EQ(placed[4].kind, StitchKind::End);
    Random minus90(SeedWithFirstDraw(360, 270));
    ASSERT_EQ(RotateDesign(cross, 3, minus90, placed.get()), 270);
    EXPECT_EQ(Xyk(placed[1]), Xyk(At(0, 10)));  // right of the centre -> below it

    const Design bar = DesignOf({At(-5, 0), At(0, 0), At(-4, 0, StitchKind::Jump)});
    Random half(SeedWithFirstDraw(360, 180));
    ASSERT_EQ(RotateDesign(bar, 3, half, placed.get()), 180);
    EXPECT_EQ(Xyk(placed[0]), Xyk(At(-1, 0)));
    EXPECT_EQ(Xyk(placed[1]), Xyk(At(-6, 0)));
    EXPECT_EQ(Xyk(placed[2]), Xyk(At(-2, 0, StitchKind::Jump)));  // turned like a stitch
}

TEST(ChooseOffset, EachCaseKeepsItsRangeWithOneDraw) {
    struct Case {
        std::int64_t extent;
        std::int32_t screen;
        std::int32_t min;
        int lowest;  // of the new minimum
        int highest;
    };
    // Fits: 0..S-e-1. Exactly the screen: d = 614 on 1024, -307..306. Wider by 100: -100..99.
    for (const Case c : {Case{200, 1024, 100, 0, 823}, Case{1024, 1024, 37, -307, 306},
                         Case{1124, 1024, -5, -100, 99}}) {
        SCOPED_TRACE(c.extent);
        Random random(99);
        Random expected(99);
        int lowest = Int32Max;
        int highest = Int32Min;
        for (int draw = 0; draw < 20000; ++draw) {
            const int newMin = ChooseOffset(c.extent, c.screen, c.min, random) + c.min;
            ASSERT_EQ(newMin, expected.Next() % (c.highest - c.lowest + 1) + c.lowest);
            lowest = std::min(lowest, newMin);
            highest = std::max(highest, newMin);
        }
        EXPECT_EQ(random.State(), expected.State());
        EXPECT_EQ(lowest, c.lowest);
        EXPECT_EQ(highest, c.highest);
    }
}

TEST(ChooseOffset, DegenerateAndHugeExtentsNeitherDivideByZeroNorOverflow) {
    Random random(5);
    Random expected(5);
    // A zero-pixel screen leaves no band to choose from: the design stays put, one draw made.
    EXPECT_EQ(ChooseOffset(0, 0, 12, random), -12);
    EXPECT_EQ(ChooseOffset(1, 1, 0, random), 0);  // d = RoundHalfAway(0.6) = 1
    expected.Next();
    expected.Next();
    EXPECT_EQ(random.State(), expected.State());
    // Coordinates spanning all of int32: overhang k = 2^32 - 1 - 1024; newMin = r % 2k - k.
    const std::int64_t extent = std::int64_t{Int32Max} - Int32Min;
    const std::int64_t r = expected.Next();
    EXPECT_EQ(ChooseOffset(extent, 1024, Int32Min, random), r - (extent - 1024) - Int32Min);
    EXPECT_EQ(ChooseOffset(extent, 1024, Int32Max, random), Int32Min);  // saturated
}

TEST(AvoidLogo, ShiftsSidewaysOnlyWhenTheDesignLiesBesideTheLogo) {
    struct Case {
        int corner;
        DesignExtents extents;  // minX, maxY, maxX, minY
        int shift;
    };
    // Logo rectangles on 1024 x 768: left/top (10, 10), (918, 10), (918, 619), (10, 619).
    const Case cases[] = {
        {0, {50, 118, 150, 20}, 106 - 50},   // above the logo's bottom, reaching left of its right
        {0, {50, 119, 150, 20}, 0},          // reaches the logo's bottom row
        {0, {106, 118, 150, 20}, 0},         // starts at its right edge
        {1, {900, 118, 950, 0}, 918 - 950},  // right edge moves to the logo's left
        {1, {900, 118, 918, 0}, 0},           {1, {900, 119, 950, 0}, 0},
        {2, {900, 760, 950, 620}, 918 - 950}, {2, {900, 760, 950, 619}, 0},
        {2, {900, 760, 918, 620}, 0},         {3, {50, 760, 150, 620}, 106 - 50},
        {3, {106, 760, 150, 620}, 0},         {3, {50, 760, 150, 619}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "corner " << c.corner << " minX " << c.extents.minX << " maxY "
                     << c.extents.maxY << " maxX " << c.extents.maxX << " minY " << c.extents.minY);
        LogoState logo;
        SetLogoCorner(c.corner, Screen1024, logo);
        PlacementResult result{c.extents, 7, -3, 0};
        AvoidLogo(logo, result);
        const DesignExtents& moved = result.placedExtents;
        EXPECT_EQ(std::tuple(moved.minX, moved.maxX, result.offsetX),
                  std::tuple(c.extents.minX + c.shift, c.extents.maxX + c.shift, 7 + c.shift));
        EXPECT_EQ(std::tuple(moved.minY, moved.maxY, result.offsetY),
                  std::tuple(c.extents.minY, c.extents.maxY, -3));
    }
}

TEST(PlaceDesign, MovesOnlyStitchesByOffsetsFromTheXThenYDraws) {
    const Design design = DesignOf({At(100, 50), At(300, 150), At(500, 500, StitchKind::Jump),
                                    At(300, 150, StitchKind::ColourChange), At(200, 100)});
    const StitchArray placed = AllocateStitchArray();
    for (const std::uint32_t seed : {1u, 77u, 40000u}) {
        SCOPED_TRACE(seed);
        Random random(seed);
        Random expected(seed);
        const int dx = expected.Next() % (1024 - 200) - 100;
        const int dy = expected.Next() % (768 - 100) - 50;
        PlacementResult result{};
        PlaceDesign(design, 0, Screen1024, nullptr, random, placed.get(), result);
        EXPECT_EQ(random.State(), expected.State());
        EXPECT_EQ(std::tuple(result.offsetX, result.offsetY), std::tuple(dx, dy));
        const DesignExtents& e = result.placedExtents;
        EXPECT_EQ(std::tuple(e.minX, e.maxY, e.maxX, e.minY),
                  std::tuple(100 + dx, 150 + dy, 300 + dx, 50 + dy));
        EXPECT_EQ(Xyk(placed[0]), Xyk(At(100 + dx, 50 + dy)));
        EXPECT_EQ(Xyk(placed[2]), Xyk(design.records[2]));
        EXPECT_EQ(Xyk(placed[3]), Xyk(design.records[3]));
        EXPECT_EQ(Xyk(placed[4]), Xyk(At(200 + dx, 100 + dy)));
        EXPECT_EQ(placed[5].kind, StitchKind::End);
    }
}

// Draw order: angle, x, y. A single point is its own centre, so the turn leaves it in place.
TEST(PlaceDesign, FullScreenNudgesOffTheLogoAndThePreviewDoesNot) {
    const Design design = DesignOf({At(40, 30)});
    const StitchArray placed = AllocateStitchArray();
    const ScreenSize screen{200, 150};
    LogoState logo;
    SetLogoCorner(LogoTopLeft, screen, logo);  // (10, 10) to (106, 119)
    int nudged = 0;
    for (std::uint32_t seed = 0; seed < 500; ++seed) {
        Random expected(seed);
        expected.Next();
        const int x = expected.Next() % screen.width;
        const int y = expected.Next() % screen.height;
        const bool besideLogo = y < 119 && x < 106;
        nudged += besideLogo;

        Random fullScreen(seed);
        PlacementResult result{};
        PlaceDesign(design, 2, screen, &logo, fullScreen, placed.get(), result);
        ASSERT_EQ(Xyk(placed[0]), Xyk(At(besideLogo ? 106 : x, y))) << seed;
        ASSERT_EQ(result.offsetX, (besideLogo ? 106 : x) - 40);
        ASSERT_EQ(fullScreen.State(), expected.State());

        Random preview(seed);
        PlaceDesign(design, 2, screen, nullptr, preview, placed.get(), result);
        ASSERT_EQ(Xyk(placed[0]), Xyk(At(x, y))) << seed;
    }
    EXPECT_GT(nudged, 0);
    EXPECT_LT(nudged, 500);
}

TEST(PlaceDesign, DesignWithoutStitchesIsCopiedWithoutDrawing) {
    for (const std::int32_t rotation : {0, 3}) {
        const Design design =
            DesignOf({At(5, 5, StitchKind::Jump), At(5, 5, StitchKind::ColourChange),
                      At(7, 7, static_cast<StitchKind>(9))});
        const StitchArray placed = AllocateStitchArray();
        LogoState logo;
        Random random(321);
        PlacementResult result{{1, 2, 3, 4}, 5, 6, 0};
        PlaceDesign(design, rotation, Screen1024, &logo, random, placed.get(), result);
        EXPECT_EQ(random.State(), 321u);
        for (int i = 0; i <= 3; ++i) EXPECT_EQ(Xyk(placed[i]), Xyk(design.records[i]));
        const DesignExtents& e = result.placedExtents;
        EXPECT_EQ(std::tuple(e.minX, e.maxY, e.maxX, e.minY, result.offsetX, result.offsetY),
                  std::tuple(Int32Max, Int32Min, Int32Min, Int32Max, 0, 0));
    }
}

TEST(PlaceDesign, CoordinatesAtTheInt32LimitsSaturate) {
    const Design design = DesignOf({At(Int32Min, Int32Min), At(Int32Max, Int32Max)});
    const StitchArray placed = AllocateStitchArray();
    for (const std::int32_t rotation : {0, 1, 2, 3}) {
        Random random(8);
        PlacementResult result{};
        PlaceDesign(design, rotation, Screen1024, nullptr, random, placed.get(), result);
        EXPECT_LE(result.placedExtents.minX, result.placedExtents.maxX);
        EXPECT_EQ(placed[2].kind, StitchKind::End);
    }
    // Unturned, newMin = r - k with k = 2^32 - 1 - 1024: the left stitch stops at the limit
    // and the right one lands at r + 1024.
    Random random(8);
    const int r = Random(8).Next();
    PlacementResult result{};
    PlaceDesign(design, 0, Screen1024, nullptr, random, placed.get(), result);
    EXPECT_EQ(placed[0].x, Int32Min);
    EXPECT_EQ(placed[1].x, r + 1024);
}

}  // namespace
}  // namespace vireluna
