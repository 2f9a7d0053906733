#pragma once

#include <cstdint>

#include "core/design/FormatRow.h"

namespace vireluna {

inline constexpr int PecColourCount = 65;

// The colour of a PEC palette index; an index beyond the table is the unknown thread's.
ColourValue PecColour(std::uint8_t index);

}  // namespace vireluna
