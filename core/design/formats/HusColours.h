#pragma once

#include <cstdint>

#include "core/design/FormatRow.h"

namespace vireluna {

inline constexpr int HusPaletteSize = 29;

// The colour of a HUS palette index; an index beyond the palette is its first entry's.
ColourValue HusColour(std::uint8_t index);

}  // namespace vireluna
