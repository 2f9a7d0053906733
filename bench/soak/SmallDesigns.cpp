#include "bench/soak/SmallDesigns.h"

#include <cmath>
#include <numbers>

#include "tools/pxs/PxsWriter.h"

namespace vireluna::soak {
namespace {

constexpr int Size = 400;  // file units across each design

// Two rows of zigzag in two threads.
pxs::PxsWriter Zigzag() {
    pxs::PxsWriter design({30, 72});
    constexpr int Teeth = 20;
    for (int row = 0; row < 2; ++row) {
        if (row > 0) design.ColourChange();
        const int y = row * Size / 2;
        design.JumpTo(0, y);
        for (int tooth = 0; tooth < Teeth; ++tooth) {
            design.StitchTo(tooth * Size / Teeth, y + (tooth % 2) * Size / 4);
        }
    }
    design.End();
    return design;
}

// Nested squares, each in its own thread, a jump between them.
pxs::PxsWriter Squares() {
    pxs::PxsWriter design({6, 45, 13});
    constexpr int Squares = 3;
    constexpr int Inset = Size / (2 * Squares + 1);
    for (int square = 0; square < Squares; ++square) {
        if (square > 0) design.ColourChange();
        const int low = square * Inset;
        const int high = Size - square * Inset;
        design.JumpTo(low, low);
        design.StitchTo(high, low);
        design.StitchTo(high, high);
        design.StitchTo(low, high);
        design.StitchTo(low, low);
    }
    design.End();
    return design;
}

// A five-pointed star, outlined twice in two threads.
pxs::PxsWriter Star() {
    pxs::PxsWriter design({76, 74});
    constexpr int Points = 5;
    constexpr double Radius = Size / 2.0;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass > 0) design.ColourChange();
        for (int corner = 0; corner <= Points; ++corner) {
            // Every second corner of the pentagon, so the outline crosses itself.
            const double angle = std::numbers::pi / 2 + corner * 4 * std::numbers::pi / Points;
            const int x = static_cast<int>(std::lround(Radius * std::cos(angle)));
            const int y = static_cast<int>(std::lround(Radius * std::sin(angle)));
            if (corner == 0) {
                design.JumpTo(x, y);
            } else {
                design.StitchTo(x, y);
            }
        }
    }
    design.End();
    return design;
}

}  // namespace

std::vector<std::string> WriteSmallDesigns(const std::filesystem::path& folder) {
    const std::pair<const char*, pxs::PxsWriter> designs[] = {
        {"zigzag.pxs", Zigzag()}, {"squares.pxs", Squares()}, {"star.pxs", Star()}};
    std::vector<std::string> paths;
    for (const auto& [name, design] : designs) {
        const std::string path = (folder / name).string();
        if (!design.WriteFile(path)) return {};
        paths.push_back(path);
    }
    return paths;
}

}  // namespace vireluna::soak
