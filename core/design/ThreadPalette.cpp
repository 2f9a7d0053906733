#include "core/design/ThreadPalette.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vireluna {
namespace {

// The built-in thread colours, in table order. The catalogue code is the thread number
// written with three digits; nothing in the saver reads it.
constexpr std::array<ThreadColour, ThreadPaletteRows> PaletteRows{{
    {0, 1, 0, 0, 0, "Black", "Black", "001"},
    {1, 50, 89, 91, 97, "Dark gray", "Dk gray", "050"},
    {2, 24, 136, 155, 155, "Gray", "Gray", "024"},
    {3, 23, 229, 229, 229, "Silver gray", "Siv gry", "023"},
    {4, 2, 255, 255, 255, "White", "White", "002"},
    {5, 30, 7, 22, 80, "Navy blue", "Nvy blu", "030"},
    {6, 12, 11, 47, 132, "Blue", "Blue", "012"},
    {7, 7, 101, 194, 200, "Sky", "Sky", "007"},
    {8, 48, 76, 181, 143, "Emerald green", "Em grn", "048"},
    {9, 25, 152, 214, 189, "Pale aqua", "Pale aqa", "025"},
    {10, 41, 84, 5, 113, "Royal purple", "Roy pur", "041"},
    {11, 8, 171, 90, 150, "Purple", "Purple", "008"},
    {12, 15, 172, 156, 199, "Pale violet", "Pale vio", "015"},
    {13, 21, 160, 184, 204, "Pale sky", "Pale sky", "021"},
    {14, 26, 178, 225, 227, "Baby blue", "Bby blu", "026"},
    {15, 10, 255, 0, 0, "Red", "Red", "010"},
    {16, 20, 151, 5, 51, "Wine red", "Wine red", "020"},
    {17, 39, 195, 0, 126, "Peony purple", "Peo pur", "039"},
    {18, 9, 246, 105, 160, "Pink", "Pink", "009"},
    {19, 17, 249, 153, 183, "Pale pink", "Pale pnk", "017"},
    {20, 14, 72, 26, 5, "Dark brown", "Dk brn", "014"},
    {21, 35, 181, 148, 116, "Umber", "Umber", "035"},
    {22, 11, 177, 112, 78, "Brown", "Brown", "011"},
    {23, 19, 201, 164, 128, "Beige", "Beige", "019"},
    {24, 78, 227, 172, 129, "Bamboo", "Bamboo", "078"},
    {25, 4, 255, 102, 0, "Orange", "Orange", "004"},
    {26, 34, 226, 161, 136, "Cinnamon", "Cinnamon", "034"},
    {27, 18, 250, 179, 129, "Peach", "Peach", "018"},
    {28, 13, 228, 195, 93, "Gold", "Gold", "013"},
    {29, 16, 252, 242, 148, "Pale yellow", "Pale yel", "016"},
    {30, 6, 35, 115, 54, "Green", "Green", "006"},
    {31, 5, 47, 89, 51, "Olive green", "Olv grn", "005"},
    {32, 45, 92, 148, 26, "Meadow green", "Mdw grn", "045"},
    {33, 22, 127, 194, 28, "Yellow green", "Yel grn", "022"},
    {34, 3, 255, 255, 23, "Yellow", "Yellow", "003"},
    {35, 46, 0, 49, 20, "Dark green", "Dark grn", "046"},
    {36, 66, 76, 86, 18, "Olive drab", "Olv drab", "066"},
    {37, 44, 137, 152, 86, "Moss green", "Moss grn", "044"},
    {38, 43, 202, 224, 192, "Opal green", "Opal grn", "043"},
    {39, 58, 51, 53, 10, "Dark sepia", "Dk sepia", "058"},
    {40, 57, 76, 51, 11, "Sepia", "Sepia", "057"},
    {41, 56, 77, 52, 25, "Sienna", "Sienna", "056"},
    {42, 55, 152, 105, 45, "Cocoa brown", "Cocoa br", "055"},
    {43, 52, 177, 88, 24, "Hazel", "Hazel", "052"},
    {44, 53, 203, 138, 7, "Toast", "Toast", "053"},
    {45, 69, 203, 138, 26, "Yellow ocher", "Yel ochr", "069"},
    {46, 70, 203, 162, 28, "Old gold", "Old gold", "070"},
    {47, 36, 228, 207, 153, "Blond", "Blond", "036"},
    {48, 51, 255, 255, 242, "Ivory white", "Ivry wht", "051"},
    {49, 71, 255, 152, 5, "Honey dew", "Hny dew", "071"},
    {50, 72, 252, 178, 87, "Tangerine", "Tangerin", "072"},
    {51, 37, 255, 203, 0, "Sunflower", "Sunflowr", "037"},
    {52, 73, 255, 229, 5, "Canary yellow", "Canary y", "073"},
    {53, 68, 228, 222, 121, "Mustard", "Mustard", "068"},
    {54, 33, 227, 49, 31, "Burnt orange", "Brnt org", "033"},
    {55, 74, 240, 51, 31, "Vermilion", "Vrmilion", "074"},
    {56, 32, 249, 103, 107, "Coral", "Coral", "032"},
    {57, 31, 249, 153, 162, "Salmon pink", "Salmon pnk", "031"},
    {58, 77, 227, 196, 180, "Beige gray", "Beig gry", "077"},
    {59, 42, 177, 5, 37, "Cardinal red", "Crdnl red", "042"},
    {60, 40, 128, 0, 75, "Burgundy", "Burgundy", "040"},
    {61, 63, 243, 54, 137, "Crimson", "Crimson", "063"},
    {62, 64, 222, 100, 158, "Floral pink", "Flrl pnk", "064"},
    {63, 38, 225, 173, 212, "Orchid pink", "Orcd pnk", "038"},
    {64, 60, 13, 33, 126, "Blue ink", "Blu ink", "060"},
    {65, 59, 82, 58, 151, "Violet blue", "Vio blu", "059"},
    {66, 65, 152, 65, 97, "Wine", "Wine", "065"},
    {67, 54, 152, 108, 128, "Salmon", "Salmon", "054"},
    {68, 47, 93, 174, 148, "Aquamarine", "Aqmarine", "047"},
    {69, 76, 56, 108, 174, "Ocean blue", "Ocen blu", "076"},
    {70, 61, 30, 119, 172, "Solar blue", "Solar blu", "061"},
    {71, 29, 56, 106, 145, "Slate blue", "Slate blu", "029"},
    {72, 28, 79, 131, 171, "Bright blue", "Brt blu", "028"},
    {73, 27, 54, 139, 160, "Powder blue", "Pwdr blu", "027"},
    {74, 49, 0, 119, 114, "Peacock green", "Pcok grn", "049"},
    {75, 75, 26, 132, 45, "Bright green", "Brt grn", "075"},
    {76, 67, 76, 136, 31, "Meadow", "Meadow", "067"},
    {77, 62, 178, 221, 83, "Green dust", "Grn dust", "062"},
    {78, 91, 63, 63, 63, "GRAY1", "gray1", "091"},
    {79, 92, 128, 128, 128, "GRAY2", "gray2", "092"},
    {80, 93, 192, 192, 192, "GRAY3", "gray3", "093"},
    {81, 94, 220, 220, 220, "GRAY4", "gray4", "094"},
    {82, 95, 240, 240, 240, "GRAY5", "gray5", "095"},
}};

constexpr bool RowsAreInOrder() {
    for (int i = 0; i < ThreadPaletteRows; ++i) {
        if (PaletteRows[i].row != i) return false;
    }
    return true;
}

constexpr bool NumbersAreUnique() {
    for (int i = 0; i < ThreadPaletteRows; ++i) {
        for (int j = i + 1; j < ThreadPaletteRows; ++j) {
            if (PaletteRows[i].number == PaletteRows[j].number) return false;
        }
    }
    return true;
}

static_assert(RowsAreInOrder(), "each row holds its own position");
static_assert(NumbersAreUnique(), "a thread number names one row");

constexpr std::int32_t HighestNumber() {
    std::int32_t highest = 0;
    for (const ThreadColour& row : PaletteRows) highest = std::max(highest, row.number);
    return highest;
}

// The row of each thread number from 0 to the highest, -1 for none: a design's colour list
// names up to 72 numbers, each found at once rather than by a search of every row.
constexpr auto RowOfNumber = [] {
    std::array<std::int8_t, HighestNumber() + 1> rows{};
    for (auto& row : rows) row = -1;
    for (const ThreadColour& row : PaletteRows) {
        rows[static_cast<std::size_t>(row.number)] = static_cast<std::int8_t>(row.row);
    }
    return rows;
}();
static_assert(ThreadPaletteRows <= INT8_MAX, "a row fits the table of numbers");

constexpr ColourValue ColourOf(const ThreadColour& row) {
    return PaletteRelativeFlag | (ColourValue{row.blue} << 16) | (ColourValue{row.green} << 8) |
           ColourValue{row.red};
}

}  // namespace

const std::array<ThreadColour, ThreadPaletteRows>& ThreadPalette::Rows() {
    return PaletteRows;
}

const ThreadColour* ThreadPalette::Find(std::int32_t number) const {
    if (number < 0 || static_cast<std::size_t>(number) >= RowOfNumber.size()) return nullptr;
    const std::int8_t row = RowOfNumber[static_cast<std::size_t>(number)];
    return row < 0 ? nullptr : &PaletteRows[static_cast<std::size_t>(row)];
}

ColourValue ThreadPalette::ColourForNumber(std::int32_t number) const {
    const ThreadColour* row = Find(number);
    return row != nullptr ? ColourOf(*row) : PaletteRelativeFlag;
}

}  // namespace vireluna
