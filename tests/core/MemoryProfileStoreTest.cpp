#include <gtest/gtest.h>

#include <cstdint>

#include "core/ports/MemoryProfileStore.h"
#include "core/ports/ProfileText.h"

namespace vireluna {
namespace {

TEST(ParseProfileInteger, TakesOnlyCleanDecimal32BitNumbers) {
    EXPECT_EQ(ParseProfileInteger("42"), 42);
    EXPECT_EQ(ParseProfileInteger("+7"), 7);
    EXPECT_EQ(ParseProfileInteger("-5"), -5);
    EXPECT_EQ(ParseProfileInteger("007"), 7);
    EXPECT_EQ(ParseProfileInteger("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseProfileInteger("-2147483648"), INT32_MIN);
    for (const char* text : {"", "+", "-", "+-1", "12abc", " 5", "5 ", "0x10", "1e3", "3.0",
                             "2147483648", "-2147483649", "99999999999999999999"}) {
        EXPECT_EQ(ParseProfileInteger(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(MemoryProfileStore, MissingGivesDefaultButEmptyIsAValue) {
    MemoryProfileStore profile;
    EXPECT_EQ(profile.ReadString("Display File List", "File01", "default"), "default");
    EXPECT_EQ(profile.ReadInteger("Config", "PenSize", 9), 9);
    ASSERT_TRUE(profile.WriteString("Display File List", "File01", ""));
    EXPECT_EQ(profile.ReadString("Display File List", "File01", "default"), "");
    // Not an integer, so the default.
    EXPECT_EQ(profile.ReadInteger("Display File List", "File01", 9), 9);
}

}  // namespace
}  // namespace vireluna
