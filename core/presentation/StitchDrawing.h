#pragma once

#include <cstdint>

#include "core/design/Design.h"
#include "core/ports/Surface.h"

namespace vireluna {

// The widest pen the saver draws with, in pixels: a display draws nothing sensible wider.
inline constexpr int MaxPenWidth = 64;

// The pen width of the stitches: 1 pixel in the preview; in full screen PenSize + 1, so the
// option page's choices 0, 1 and 2 give 1, 2 and 3 pixels. The settings keep PenSize within
// 0 .. MaxPenWidth - 1; any other value still gives a width from 1 to MaxPenWidth.
int PenWidthFor(bool isPreview, std::int32_t penSize);

// How stitches are drawn, as stored in "Look".
enum class StitchLook : std::int32_t {
    Flat = 0,    // exact lines of the pen width
    Thread = 1,  // shaded bands of the thread's width
};

// A thread is 0.35 mm thick. A design file's unit is 0.1 mm, and Reduction percent of it
// make one model unit, which is one pixel in full screen: the band is 3.5 x Reduction / 100
// pixels wide, times drawScale in the preview, and never narrower than one pixel. Given in
// 1/SubpixelScale pixel.
inline constexpr int ThreadTenthsOfMillimetre = 35;
int ThreadWidthFor(std::int32_t reduction, double drawScale);

// What one batch needs besides the records and the colours.
struct StitchPen {
    int width;            // flat look: 1 in the preview, PenSize + 1 in full screen
    int stitchesPerTick;  // N: Stitch records drawn per batch
    double drawScale;     // client width / screen width
    StitchLook look = StitchLook::Flat;
    int threadWidth = SubpixelScale;  // thread look: ThreadWidthFor the design's scale
};

// A stitch's point on the client area: its model coordinates times drawScale, each truncated
// toward zero.
struct StitchPoint {
    int x = 0;
    int y = 0;
    bool operator==(const StitchPoint&) const = default;
};
StitchPoint ScaledStitchPoint(const StitchRecord& record, double drawScale);

// The kind of slot i of a placed array; a slot past the array counts as the End it should
// have held.
StitchKind PlacedKindAt(const StitchRecord* placed, std::int32_t i);

// Draws the next batch of placed stitches from drawPosition, advancing drawPosition and
// colourIndex. True when the design's End record has been reached.
bool DrawStitches(Surface& surface, const StitchRecord* placed, const Design& design,
                  const StitchPen& pen, std::int32_t& drawPosition, std::int32_t& colourIndex);

// The pen colour for colourIndex of a design: entry colourIndex of the colours this design
// loaded; past its last entry, its last colour; black for a design that loaded none.
ColourValue PenColour(const Design& design, std::int32_t colourIndex);

}  // namespace vireluna
