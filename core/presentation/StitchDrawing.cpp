#include "core/presentation/StitchDrawing.h"

#include <algorithm>
#include <limits>

#include "core/design/DesignLimits.h"
#include "core/presentation/Background.h"
#include "core/presentation/Rounding.h"

namespace vireluna {
namespace {

constexpr int PreviewPenWidth = 1;
constexpr int ThinnestPenWidth = 1;
constexpr ColourValue NoColourLoaded = 0x02000000;  // black, as an unknown thread number
constexpr int PercentScale = 100;
constexpr int TenthsPerUnit = 10;  // model units per millimetre at Reduction 100

// The last record a batch may read: the arrays hold MaxStitchRecords records.
constexpr std::int32_t LastSlot = MaxStitchRecords - 1;

}  // namespace

StitchPoint ScaledStitchPoint(const StitchRecord& record, double drawScale) {
    return {TruncateToInt32(record.x * drawScale), TruncateToInt32(record.y * drawScale)};
}

StitchKind PlacedKindAt(const StitchRecord* placed, std::int32_t i) {
    return i >= 0 && i <= LastSlot ? placed[i].kind : StitchKind::End;
}

int PenWidthFor(bool isPreview, std::int32_t penSize) {
    if (isPreview) return PreviewPenWidth;
    const std::int64_t width = std::int64_t{penSize} + 1;
    return static_cast<int>(std::clamp<std::int64_t>(width, ThinnestPenWidth, MaxPenWidth));
}

int ThreadWidthFor(std::int32_t reduction, double drawScale) {
    const double pixels =
        double{ThreadTenthsOfMillimetre} / TenthsPerUnit * reduction / PercentScale * drawScale;
    const double width = pixels * SubpixelScale;
    // The widest pen the flat look has bounds the thread too.
    if (!(width >= SubpixelScale)) return SubpixelScale;
    return width >= double{MaxPenWidth} * SubpixelScale ? MaxPenWidth * SubpixelScale
                                                        : static_cast<int>(width);
}

ColourValue PenColour(const Design& design, std::int32_t colourIndex) {
    const std::int32_t loaded = std::min(design.colourCount, MaxDesignColours);
    if (loaded <= 0) return NoColourLoaded;
    return design.colours[std::clamp(colourIndex, 0, loaded - 1)];
}

namespace {

void UsePen(Surface& surface, const StitchPen& pen, ColourValue colour) {
    if (pen.look == StitchLook::Thread) {
        surface.SetThreadPen({pen.threadWidth, colour, BackgroundColour});
    } else {
        surface.SetPen(pen.width, colour);
    }
}

}  // namespace

bool DrawStitches(Surface& surface, const StitchRecord* placed, const Design& design,
                  const StitchPen& pen, std::int32_t& drawPosition, std::int32_t& colourIndex) {
    UsePen(surface, pen, PenColour(design, colourIndex));
    int count = 0;
    std::int32_t i = drawPosition;
    for (StitchKind kind = PlacedKindAt(placed, i); kind != StitchKind::End;
         kind = PlacedKindAt(placed, i)) {
        if (kind == StitchKind::Stitch) {
            const StitchPoint from = ScaledStitchPoint(placed[i], pen.drawScale);
            surface.MoveTo(from.x, from.y);
            const StitchKind nextKind = PlacedKindAt(placed, i + 1);
            if (nextKind == StitchKind::Stitch) {
                const StitchPoint to = ScaledStitchPoint(placed[i + 1], pen.drawScale);
                surface.LineTo(to.x, to.y);
            }
            ++i;
            ++count;
            drawPosition = i;
            // The record after the batch's last stitch tells whether the design is done.
            if (count >= pen.stitchesPerTick) return nextKind == StitchKind::End;
        } else {
            if (kind == StitchKind::ColourChange) {
                if (colourIndex < std::numeric_limits<std::int32_t>::max()) ++colourIndex;
                UsePen(surface, pen, PenColour(design, colourIndex));
            }
            ++i;
            drawPosition = i;
        }
    }
    return true;  // the End record was read
}

}  // namespace vireluna
