#pragma once

#include <cstdint>

#include "core/design/Design.h"
#include "core/ports/WindowHost.h"

namespace vireluna {

// A design shrunk to fit keeps this share of its screen free on every side.
inline constexpr std::int32_t FitMarginPercent = 5;

// The part of the screen inside the margin: where a shrunk design is placed.
struct FitArea {
    std::int32_t left;
    std::int32_t top;
    std::int32_t width;
    std::int32_t height;
};

FitArea FitAreaOf(ScreenSize screen);

// A design that does not fit its screen (as wide or as tall as it, or more) is shrunk about
// its top left corner by one factor on both axes, so that it is narrower and lower than
// FitAreaOf(screen), and extents are measured again. A design that fits is left as it is.
// True when the design was shrunk.
bool ShrinkToFit(StitchRecord* placed, std::int32_t end, DesignExtents& extents, ScreenSize screen);

}  // namespace vireluna
