#include <gtest/gtest.h>

#include "core/saver/CommandLine.h"
#include "core/saver/RunControls.h"

namespace vireluna {
namespace {

TEST(MatchSwitchTest, APrefixKeepsOnlyTheOneLetterAfterIt) {
    EXPECT_TRUE(MatchSwitch("/s", 's'));
    EXPECT_TRUE(MatchSwitch("-S", 's'));
    EXPECT_TRUE(MatchSwitch("/c:1234", 'c'));
    EXPECT_TRUE(MatchSwitch("/save", 's'));  // the rest after the letter is cut off
    EXPECT_FALSE(MatchSwitch("/", 's'));
    EXPECT_FALSE(MatchSwitch("-", 'c'));
    EXPECT_FALSE(MatchSwitch("//s", 's'));
    EXPECT_FALSE(MatchSwitch("/p", 's'));
}

TEST(MatchSwitchTest, WithoutAPrefixTheWholeArgumentIsCompared) {
    EXPECT_TRUE(MatchSwitch("s", 's'));
    EXPECT_TRUE(MatchSwitch("S", 's'));
    EXPECT_TRUE(MatchSwitch("p", 'P'));
    EXPECT_FALSE(MatchSwitch("save", 's'));
    EXPECT_FALSE(MatchSwitch("", 's'));
    EXPECT_FALSE(MatchSwitch(" s", 's'));
}

TEST(ParseWindowHandleTest, ReadsDecimalUpToTheFirstNonDigit) {
    EXPECT_EQ(ParseWindowHandle("1234"), 1234);
    EXPECT_EQ(ParseWindowHandle("  +77"), 77);
    EXPECT_EQ(ParseWindowHandle("\t-5"), -5);
    EXPECT_EQ(ParseWindowHandle("4096abc"), 4096);
    EXPECT_EQ(ParseWindowHandle("9223372036854775807"), INT64_MAX);
}

TEST(ParseWindowHandleTest, NoDigitsOrTooManyGiveNoHandle) {
    EXPECT_EQ(ParseWindowHandle(""), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("abc"), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("-"), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("0x10"), 0);  // as decimal parsing reads it
    EXPECT_EQ(ParseWindowHandle("9223372036854775808"), std::nullopt);
    EXPECT_EQ(ParseWindowHandle("99999999999999999999999"), std::nullopt);
}

TEST(RunControlsTest, SeedsAndTickCountsArePlainDecimalNumbersInRange) {
    EXPECT_EQ(ParseSeed("0"), 0u);
    EXPECT_EQ(ParseSeed("4294967295"), 4294967295u);
    EXPECT_EQ(ParseSeed("4294967296"), std::nullopt);
    EXPECT_EQ(ParseSeed(" 7"), std::nullopt);
    EXPECT_EQ(ParseSeed("-7"), std::nullopt);
    EXPECT_EQ(ParseSeed(""), std::nullopt);
    EXPECT_EQ(ParseTickCount("300"), 300);
    EXPECT_EQ(ParseTickCount("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(ParseTickCount("9223372036854775808"), std::nullopt);
    EXPECT_EQ(ParseTickCount("12x"), std::nullopt);

    EXPECT_EQ(ChooseSeed(std::nullopt, 99u), 99u);
    EXPECT_EQ(ChooseSeed("5", 99u), 5u);
    EXPECT_EQ(ChooseSeed("five", 99u), 99u);
}

TEST(RunControlsTest, ATickLimitStopsAfterExactlyThatManyTicks) {
    TickLimit unlimited;
    for (int i = 0; i < 1000; ++i) EXPECT_FALSE(unlimited.CountTick());
    EXPECT_TRUE(unlimited.AllowsTick());

    TickLimit three(3);
    EXPECT_FALSE(three.CountTick());
    EXPECT_FALSE(three.CountTick());
    EXPECT_TRUE(three.AllowsTick());
    EXPECT_TRUE(three.CountTick());
    EXPECT_FALSE(three.AllowsTick());
    EXPECT_EQ(three.Ticks(), 3);

    EXPECT_FALSE(TickLimit(0).AllowsTick());
}

}  // namespace
}  // namespace vireluna
