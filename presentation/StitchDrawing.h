#pragma once

#include <cstdint>

#include "design/Design.h"
#include "platform/Surface.h"

namespace vireluna {

// The pen width of the stitches: 1 pixel in the preview; in full screen PenSize + 1, so the
// stored choices 0, 1 and 2 give 1, 2 and 3 pixels. A stored value outside 0..2 counts as the
// nearest choice.
int PenWidthFor(bool isPreview, std::int32_t penSize);

// What one batch needs besides the records and the colours.
struct StitchPen {
    int width;            // 1 in the preview, PenSize + 1 in full screen
    int stitchesPerTick;  // N: Stitch records drawn per batch
    double drawScale;     // client width / screen width
};

// Draws the next batch of placed stitches from drawPosition, advancing drawPosition and
// colourIndex. True when the design's End record has been reached.
bool DrawStitches(Surface& surface, const StitchRecord* placed, const Design& design,
                  const StitchPen& pen, std::int32_t& drawPosition, std::int32_t& colourIndex);

// The pen colour for colourIndex of a design: entry colourIndex of the colours this design
// loaded; past its last entry, its last colour; black for a design that loaded none.
ColourValue PenColour(const Design& design, std::int32_t colourIndex);

}  // namespace vireluna
