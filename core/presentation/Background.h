#pragma once

#include "core/ports/Surface.h"

namespace vireluna {

inline constexpr ColourValue BackgroundColour = 0x00FFD7BE;  // red 190, green 215, blue 255

// Fills the client area with the background colour; the background counts as erased.
bool OnEraseBkgnd(Surface& surface, int clientWidth, int clientHeight);

}  // namespace vireluna
