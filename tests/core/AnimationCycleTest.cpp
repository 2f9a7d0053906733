#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "core/design/DesignLimits.h"
#include "core/presentation/AnimationCycle.h"

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

// The platform's limit, in its own unit: Windows counts UTF-16 units, where a character
// beyond the first 65,536 takes two; Linux counts bytes.
TEST(AnimationCycle, DesignPathBeyondThePlatformsLimitOrWithAZeroByteIsRefused) {
    std::array<char, MaxDesignPathBytes> currentPath{'x'};
    constexpr PathLimit FiveBytes{PathLimit::Unit::Bytes, 5};
    constexpr PathLimit ThreeUnits{PathLimit::Unit::Utf16Units, 3};
    const std::string embroideryX = "\xE5\x88\xBA\xE7\xB9\x8Dx";  // 3 units, 7 bytes
    const std::string clefX = "\xF0\x9D\x84\x9Ex";                // 3 units, 5 bytes
    EXPECT_TRUE(CopyDesignPath("abcde", FiveBytes, currentPath));
    EXPECT_STREQ(currentPath.data(), "abcde");
    EXPECT_TRUE(CopyDesignPath(clefX, FiveBytes, currentPath));
    EXPECT_FALSE(CopyDesignPath(embroideryX, FiveBytes, currentPath));
    EXPECT_STREQ(currentPath.data(), "");
    EXPECT_TRUE(CopyDesignPath(embroideryX, ThreeUnits, currentPath));
    EXPECT_STREQ(currentPath.data(), embroideryX.c_str());
    EXPECT_TRUE(CopyDesignPath(clefX, ThreeUnits, currentPath));
    EXPECT_FALSE(CopyDesignPath(clefX + "y", ThreeUnits, currentPath));
    EXPECT_FALSE(CopyDesignPath("abcd", ThreeUnits, currentPath));

    using namespace std::string_literals;
    EXPECT_FALSE(CopyDesignPath("/a\0.pxs"s, {PathLimit::Unit::Bytes, 259}, currentPath));
    EXPECT_STREQ(currentPath.data(), "");
}

}  // namespace
}  // namespace vireluna
