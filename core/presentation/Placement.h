#pragma once

#include <cstdint>

#include "core/design/Design.h"
#include "core/ports/Random.h"
#include "core/ports/WindowHost.h"
#include "core/presentation/LogoCorner.h"
#include "core/presentation/Rounding.h"  // RoundHalfAway
#include "core/presentation/ScreenFit.h"

namespace vireluna {

struct PlacementResult {
    DesignExtents placedExtents;
    std::int32_t offsetX;
    std::int32_t offsetY;
    int angle;  // degrees the design was turned by (0: not turned)
};

// Rotates design.records by the angle the Rotation setting picks (one draw, none for 0)
// into placed, End record included. Returns the angle in degrees (0 without rotation).
int RotateDesign(const Design& design, std::int32_t rotation, Random& random, StitchRecord* placed);

// One axis: one draw; returns the offset that moves currentMin to the chosen new minimum.
// extent is max - min, taken in 64 bits so that any pair of int32 coordinates fits.
std::int32_t ChooseOffset(std::int64_t extent, std::int32_t screenSize, std::int32_t currentMin,
                          Random& random);

// Moves the design sideways off the logo when it lies beside it (full screen only).
void AvoidLogo(const LogoState& logo, PlacementResult& result);

// AvoidLogo for a design shrunk into area, which it must not leave: a design on the logo moves
// sideways off it, or, where that would take it out of the area, below (or above) it; where
// that too would, it stays inside the area as far from the logo as it can.
void AvoidLogoWithin(const LogoState& logo, const FitArea& area, PlacementResult& result);

// Rotate, measure, offset, avoid the logo (when logo is given: full screen), translate.
// With fit, a design that does not fit the screen after rotation is shrunk (ShrinkToFit) and
// its offsets are chosen by the same rules inside the screen's margin, which it keeps when it
// avoids the logo.
void PlaceDesign(const Design& design, std::int32_t rotation, ScreenSize screen,
                 const LogoState* logo, Random& random, StitchRecord* placed,
                 PlacementResult& result, bool fit = false);

}  // namespace vireluna
