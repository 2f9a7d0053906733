#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "core/presentation/CollectionOrder.h"
#include "core/presentation/Placement.h"
#include "core/presentation/RecordScan.h"
#include "core/presentation/ScreenFit.h"
#include "tests/core/DesignFixture.h"

namespace vireluna {
namespace {

using fakes::At;
using fakes::DesignOf;

constexpr ScreenSize Screen{1024, 768};

std::vector<StitchRecord> Records(const StitchRecord* placed) {
    return {placed, placed + EndIndex(placed) + 1};
}

bool SameRecords(const std::vector<StitchRecord>& a, const std::vector<StitchRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const StitchRecord& p, const StitchRecord& q) {
                          return p.x == q.x && p.y == q.y && p.kind == q.kind;
                      });
}

bool OverlapsLogo(const DesignExtents& e, const LogoState& logo) {
    const Rect& r = logo.logoRect;
    return e.minX < r.right && e.maxX >= r.left && e.minY < r.bottom && e.maxY >= r.top;
}

// Places the design with Fit, the logo in each corner in turn, and checks that it lies wholly
// inside the 5 % margin of its screen whatever it is turned by. Returns how often it lay on
// the logo.
int PlaceInsideTheMargin(const Design& design, ScreenSize screen, std::int32_t rotation) {
    const FitArea area = FitAreaOf(screen);
    const StitchArray placed = AllocateStitchArray();
    int onTheLogo = 0;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        SCOPED_TRACE(testing::Message() << "rotation " << rotation << ", seed " << seed);
        Random random(seed);
        LogoState logo;
        SetLogoCorner(static_cast<std::int32_t>(seed % 4), screen, logo);
        PlacementResult result{};
        PlaceDesign(design, rotation, screen, &logo, random, placed.get(), result, true);
        const DesignExtents& e = result.placedExtents;
        EXPECT_GE(e.minX, area.left);
        EXPECT_LT(e.maxX, screen.width - area.left);
        EXPECT_GE(e.minY, area.top);
        EXPECT_LT(e.maxY, screen.height - area.top);
        if (OverlapsLogo(e, logo)) ++onTheLogo;
    }
    return onTheLogo;
}

// A large design lies wholly inside the 5 % margin of its screen whatever it is turned by,
// with the logo in any corner; its proportions are kept.
TEST(Fit, ALargeDesignLiesInsideTheMarginAtEveryRotation) {
    // 2400 x 1500 with a stitch in the middle of each side, so its turned shape is measurable.
    const Design design =
        DesignOf({At(0, 0), At(1200, 0), At(2400, 0), At(2400, 750), At(2400, 1500), At(1200, 1500),
                  At(0, 1500), At(0, 750), At(0, 0)});
    const FitArea area = FitAreaOf(Screen);
    EXPECT_EQ(area.left, 52);  // 5 % of 1024, rounded up
    EXPECT_EQ(area.top, 39);   // 5 % of 768, rounded up
    for (std::int32_t rotation = 0; rotation <= 3; ++rotation) {
        PlaceInsideTheMargin(design, Screen, rotation);
    }
    const StitchArray placed = AllocateStitchArray();
    Random random(1);
    PlacementResult result{};
    PlaceDesign(design, 0, Screen, nullptr, random, placed.get(), result, true);
    // Shrunk by one factor: 2400 x 1500 stays 8 : 5 within a pixel's rounding.
    const DesignExtents& e = result.placedExtents;
    EXPECT_NEAR(static_cast<double>(e.maxX - e.minX) / (e.maxY - e.minY), 1.6, 0.01);
    EXPECT_EQ(e.maxX - e.minX, area.width - 1) << "the limiting side fills the area";
}

// A wide low design shrunk to the width of the area cannot pass the logo sideways: it keeps
// the margin and clears the logo by lying below (or above) it, unless the screen is too low
// for that too, where the margin wins.
TEST(Fit, AWideLowDesignBesideTheLogoKeepsTheMarginAndClearsTheLogoWhereItCan) {
    const Design wide = DesignOf({At(0, 0), At(1500, 40), At(3000, 0)});
    EXPECT_EQ(PlaceInsideTheMargin(wide, Screen, 0), 0);
    // On 400 x 160 the area's rows are 8 to 151 and the logo's 10 to 118 at the top, 11 to
    // 119 at the bottom: a design shrunk to 40 rows fits neither below nor above it.
    const Design deeper = DesignOf({At(0, 0), At(3000, 340)});
    EXPECT_GT(PlaceInsideTheMargin(deeper, {400, 160}, 0), 0) << "the logo cannot be cleared";
}

// A design that fits draws the same numbers and lands on the same pixels with Fit as without;
// one as wide as the screen does not fit, however low it is.
TEST(Fit, ADesignThatFitsIsUnchangedAndOneTooWideShrinks) {
    const Design small = DesignOf({At(0, 0), At(1023 - 1, 767 - 1), At(5, 700)});
    const Design wideLine = DesignOf({At(-100, 5), At(1924, 5)});
    const StitchArray withFit = AllocateStitchArray();
    const StitchArray without = AllocateStitchArray();
    for (std::int32_t rotation = 0; rotation <= 3; ++rotation) {
        for (std::uint32_t seed = 0; seed < 50; ++seed) {
            SCOPED_TRACE(testing::Message() << "rotation " << rotation << ", seed " << seed);
            Random a(seed), b(seed);
            PlacementResult fitted{}, plain{};
            PlaceDesign(small, rotation, Screen, nullptr, a, withFit.get(), fitted, true);
            PlaceDesign(small, rotation, Screen, nullptr, b, without.get(), plain, false);
            const bool fits = plain.placedExtents.maxX - plain.placedExtents.minX < Screen.width &&
                              plain.placedExtents.maxY - plain.placedExtents.minY < Screen.height;
            if (!fits) continue;  // turned, the corner-to-corner design may not fit any more
            EXPECT_TRUE(SameRecords(Records(withFit.get()), Records(without.get())));
            EXPECT_EQ(fitted.offsetX, plain.offsetX);
            EXPECT_EQ(fitted.offsetY, plain.offsetY);
            EXPECT_EQ(a.State(), b.State());
        }
    }
    Random random(7);
    PlacementResult result{};
    PlaceDesign(wideLine, 0, Screen, nullptr, random, withFit.get(), result, true);
    EXPECT_EQ(result.placedExtents.maxX - result.placedExtents.minX, FitAreaOf(Screen).width - 1);
    EXPECT_EQ(result.placedExtents.maxY, result.placedExtents.minY);
}

TEST(CollectionOrder, ChoicesAreUniformBelowAndBeyondOneDraw) {
    Random random(99);
    // 3 does not divide 32,768: without the redraw 0 and 1 would come up more often than 2.
    std::map<std::uint32_t, int> seen;
    constexpr int Draws = 30000;
    for (int i = 0; i < Draws; ++i) ++seen[UniformBelow(3, random)];
    ASSERT_EQ(seen.size(), 3u);
    for (const auto& [value, count] : seen) EXPECT_NEAR(count, Draws / 3, 450) << value;

    // Beyond 32,768 the upper half of a 100,000-value range is reached as often as the lower.
    int upper = 0;
    for (int i = 0; i < Draws; ++i) {
        const std::uint32_t value = UniformBelow(100000, random);
        ASSERT_LT(value, 100000u);
        if (value >= 50000) ++upper;
    }
    EXPECT_NEAR(upper, Draws / 2, 450);
}

TEST(CollectionOrder, AShuffleIsAPermutationThatMovesEveryPartOfALargeCollection) {
    Random random(2026);
    std::vector<std::uint32_t> order;
    constexpr std::uint32_t Count = 100000;
    ShuffleCollection(order, Count, random);
    std::vector<std::uint32_t> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::uint32_t i = 0; i < Count; ++i) ASSERT_EQ(sorted[i], i);
    // Entries past 32,767 come early in the order, and early entries late, in their share.
    int lateEntriesFirst = 0;
    for (std::uint32_t i = 0; i < 1000; ++i) lateEntriesFirst += order[i] >= 50000 ? 1 : 0;
    EXPECT_NEAR(lateEntriesFirst, 500, 80);
    EXPECT_NE(order.back(), Count - 1);

    // Of three entries, each of the six orders comes up about as often.
    std::map<std::vector<std::uint32_t>, int> orders;
    for (int i = 0; i < 6000; ++i) {
        ShuffleCollection(order, 3, random);
        ++orders[order];
    }
    ASSERT_EQ(orders.size(), 6u);
    for (const auto& [permutation, count] : orders) EXPECT_NEAR(count, 1000, 130);
}

}  // namespace
}  // namespace vireluna
