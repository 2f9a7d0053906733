#include "core/presentation/Placement.h"

#include <cstdint>

#include "core/presentation/RecordScan.h"
#include "core/presentation/Rounding.h"
#include "core/presentation/ScreenFit.h"

namespace vireluna {
namespace {

bool HasStitch(const StitchRecord* records, std::int32_t end) {
    for (std::int32_t i = 0; i < end; ++i) {
        if (records[i].kind == StitchKind::Stitch) return true;
    }
    return false;
}

// A design with nothing to draw keeps its records where they are and draws no random number:
// its extents hold their start values, and no centre or offset is computed from them.
void PlaceEmptyDesign(const StitchRecord* records, std::int32_t end, StitchRecord* placed,
                      PlacementResult& result) {
    for (std::int32_t i = 0; i < end; ++i) placed[i] = records[i];
    placed[end] = StitchRecord(records[end].y, records[end].x, StitchKind::End);
    ComputeExtents(placed, result.placedExtents);
    result.offsetX = 0;
    result.offsetY = 0;
    result.angle = 0;
}

void MoveExtents(DesignExtents& extents, std::int32_t offsetX, std::int32_t offsetY) {
    extents.minX = SaturateToInt32(static_cast<std::int64_t>(extents.minX) + offsetX);
    extents.maxX = SaturateToInt32(static_cast<std::int64_t>(extents.maxX) + offsetX);
    extents.minY = SaturateToInt32(static_cast<std::int64_t>(extents.minY) + offsetY);
    extents.maxY = SaturateToInt32(static_cast<std::int64_t>(extents.maxY) + offsetY);
}

// Only Stitch records move: nothing draws the others, so they keep their rotated positions.
void TranslateStitches(StitchRecord* placed, std::int32_t end, std::int32_t offsetX,
                       std::int32_t offsetY) {
    for (std::int32_t i = 0; i < end; ++i) {
        StitchRecord& record = placed[i];
        if (record.kind != StitchKind::Stitch) continue;
        record.x = SaturateToInt32(static_cast<std::int64_t>(record.x) + offsetX);
        record.y = SaturateToInt32(static_cast<std::int64_t>(record.y) + offsetY);
    }
    placed[end].kind = StitchKind::End;
}

}  // namespace

void PlaceDesign(const Design& design, std::int32_t rotation, ScreenSize screen,
                 const LogoState* logo, Random& random, StitchRecord* placed,
                 PlacementResult& result, bool fit) {
    const StitchRecord* records = design.records.get();
    const std::int32_t end = EndIndex(records);
    if (!HasStitch(records, end)) {
        PlaceEmptyDesign(records, end, placed, result);
        return;
    }

    result.angle = RotateDesign(design, rotation, random, placed);
    DesignExtents& extents = result.placedExtents;
    ComputeExtents(placed, extents);

    FitArea area{0, 0, screen.width, screen.height};
    const bool shrunk = fit && ShrinkToFit(placed, end, extents, screen);
    if (shrunk) area = FitAreaOf(screen);
    const std::int64_t width = static_cast<std::int64_t>(extents.maxX) - extents.minX;
    result.offsetX = SaturateToInt32(std::int64_t{area.left} +
                                     ChooseOffset(width, area.width, extents.minX, random));
    const std::int64_t height = static_cast<std::int64_t>(extents.maxY) - extents.minY;
    result.offsetY = SaturateToInt32(std::int64_t{area.top} +
                                     ChooseOffset(height, area.height, extents.minY, random));
    MoveExtents(extents, result.offsetX, result.offsetY);

    if (logo != nullptr) {
        if (shrunk) {
            AvoidLogoWithin(*logo, area, result);
        } else {
            AvoidLogo(*logo, result);
        }
    }

    TranslateStitches(placed, end, result.offsetX, result.offsetY);
}

}  // namespace vireluna
