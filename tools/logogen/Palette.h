#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "tools/logogen/Canvas.h"

namespace vireluna::logogen {

inline constexpr int kPaletteSize = 16;

struct PaletteEntry {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

using Palette = std::array<PaletteEntry, kPaletteSize>;

inline Colour ToColour(PaletteEntry entry) {
    return {entry.red * 1.0, entry.green * 1.0, entry.blue * 1.0};
}

// Each pixel becomes the index of the palette entry it looks closest to.
std::vector<std::uint8_t> Quantise(const Canvas& canvas, const Palette& palette);

}  // namespace vireluna::logogen
