#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "design/DesignLimits.h"
#include "presentation/AnimationCycle.h"

namespace vireluna {
namespace {

TEST(AnimationCycle, FinishingWithoutHoldStartsTheNextDesignAtOnce) {
    CycleCounters counters{0, 0, 812, 4};
    FinishDesign(counters, 0);
    EXPECT_EQ(PhaseOf(counters), CyclePhase::Start);
    EXPECT_EQ(counters.drawPosition, 0);
    EXPECT_EQ(counters.colourIndex, 0);
    // A negative hold could never count down to 0; it counts as none.
    FinishDesign(counters, -7);
    EXPECT_EQ(PhaseOf(counters), CyclePhase::Start);
}

TEST(AnimationCycle, ShuffleStaysWithinItsSlots) {
    Random random(3);
    std::array<std::int32_t, 4> slots{};
    ShuffleOrder(slots, 9, random);  // more values than slots
    std::array<std::int32_t, 4> sorted = slots;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::array<std::int32_t, 4>{0, 1, 2, 3}));

    const std::uint32_t before = random.State();
    ShuffleOrder(slots, 0, random);
    EXPECT_EQ(slots, (std::array<std::int32_t, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(random.State(), before);
}

TEST(AnimationCycle, DesignPathWithAZeroByteIsRefused) {
    std::array<char, MaxDesignPathBytes> currentPath{'x'};
    using namespace std::string_literals;
    EXPECT_FALSE(CopyDesignPath("/designs/a\0.pxs"s, currentPath));
    EXPECT_STREQ(currentPath.data(), "");
}

}  // namespace
}  // namespace vireluna
