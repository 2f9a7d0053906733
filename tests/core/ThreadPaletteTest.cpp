#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "core/design/ThreadPalette.h"

namespace vireluna {
namespace {

constexpr ColourValue Black = 0x02000000;

TEST(ThreadPalette, ResolvesNumbersToPaletteRelativeColours) {
    const ThreadPalette palette;
    EXPECT_EQ(palette.ColourForNumber(1), Black);
    EXPECT_EQ(palette.ColourForNumber(2), 0x02FFFFFFu);
    EXPECT_EQ(palette.ColourForNumber(10), 0x020000FFu);
    EXPECT_EQ(palette.ColourForNumber(12), 0x02842F0Bu);  // red 11, green 47, blue 132
    EXPECT_EQ(palette.ColourForNumber(95), 0x02F0F0F0u);  // the last row
    EXPECT_EQ(palette.ColourForNumber(71), 0x020598FFu);  // red 255, green 152, blue 5
    EXPECT_EQ(palette.ColourForNumber(62), 0x0253DDB2u);  // red 178, green 221, blue 83
}

TEST(ThreadPalette, NumbersTheTableDoesNotHoldGiveBlack) {
    const ThreadPalette palette;
    for (std::int32_t number = 79; number <= 90; ++number) {
        EXPECT_EQ(palette.ColourForNumber(number), Black) << number;
        EXPECT_EQ(palette.Find(number), nullptr) << number;
    }
    for (std::int32_t number : {0, 96, 255, 1000, -1, -10, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(palette.ColourForNumber(number), Black) << number;
        EXPECT_EQ(palette.Find(number), nullptr) << number;
    }
}

TEST(ThreadPalette, HoldsEachUsedNumberOnceInItsOwnRow) {
    const ThreadPalette palette;
    std::set<std::int32_t> numbers;
    const auto& rows = ThreadPalette::Rows();
    for (int i = 0; i < ThreadPaletteRows; ++i) {
        const ThreadColour& row = rows[i];
        EXPECT_EQ(row.row, i);
        EXPECT_TRUE((row.number >= 1 && row.number <= 78) || (row.number >= 91 && row.number <= 95))
            << row.number;
        numbers.insert(row.number);
        EXPECT_EQ(palette.Find(row.number), &row);
        EXPECT_FALSE(row.name.empty());
        EXPECT_LE(row.name.size(), 13u) << row.name;
        EXPECT_FALSE(row.shortName.empty());
        EXPECT_LE(row.shortName.size(), 10u) << row.shortName;
        EXPECT_EQ(row.code.size(), 3u);
    }
    EXPECT_EQ(numbers.size(), static_cast<std::size_t>(ThreadPaletteRows));
}

TEST(ThreadPalette, RowsKeepTheirPlaceAndNames) {
    const auto& rows = ThreadPalette::Rows();
    EXPECT_EQ(rows[1].number, 50);
    EXPECT_EQ(rows[1].name, "Dark gray");
    EXPECT_EQ(rows[1].shortName, "Dk gray");
    EXPECT_EQ(rows[57].shortName, "Salmon pnk");
    EXPECT_EQ(rows[74].name, "Peacock green");
    EXPECT_EQ(rows[78].number, 91);
    EXPECT_EQ(rows[78].name, "GRAY1");
    EXPECT_EQ(rows[78].shortName, "gray1");
    EXPECT_EQ(rows[82].number, 95);
}

}  // namespace
}  // namespace vireluna
