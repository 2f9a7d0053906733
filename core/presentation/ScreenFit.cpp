#include "core/presentation/ScreenFit.h"

#include <algorithm>

namespace vireluna {
namespace {

std::int32_t MarginOf(std::int32_t side) {
    // Rounded up: the margin is never less than the share.
    return static_cast<std::int32_t>(
        (static_cast<std::int64_t>(std::max(side, 0)) * FitMarginPercent + 99) / 100);
}

std::int32_t Scaled(std::int32_t value, std::int32_t origin, std::int64_t numerator,
                    std::int64_t denominator) {
    const std::int64_t distance = static_cast<std::int64_t>(value) - origin;
    return static_cast<std::int32_t>(origin + distance * numerator / denominator);
}

}  // namespace

FitArea FitAreaOf(ScreenSize screen) {
    const std::int32_t marginX = MarginOf(screen.width);
    const std::int32_t marginY = MarginOf(screen.height);
    return {marginX, marginY, std::max(screen.width - 2 * marginX, 0),
            std::max(screen.height - 2 * marginY, 0)};
}

bool ShrinkToFit(StitchRecord* placed, std::int32_t end, DesignExtents& extents,
                 ScreenSize screen) {
    const std::int64_t width = static_cast<std::int64_t>(extents.maxX) - extents.minX;
    const std::int64_t height = static_cast<std::int64_t>(extents.maxY) - extents.minY;
    if (width < screen.width && height < screen.height) return false;

    // The largest extents that lie strictly inside the area, as placement wants them.
    const FitArea area = FitAreaOf(screen);
    const std::int64_t roomX = std::max(area.width - 1, 0);
    const std::int64_t roomY = std::max(area.height - 1, 0);
    // The factor is roomX / width or roomY / height, whichever is smaller; an axis without
    // extent sets no limit. At least one axis has extent: it does not fit.
    std::int64_t numerator = roomX;
    std::int64_t denominator = width;
    if (width == 0 || (height > 0 && roomY * width < roomX * height)) {
        numerator = roomY;
        denominator = height;
    }
    const std::int32_t originX = extents.minX;
    const std::int32_t originY = extents.minY;
    for (std::int32_t i = 0; i < end; ++i) {
        placed[i].x = Scaled(placed[i].x, originX, numerator, denominator);
        placed[i].y = Scaled(placed[i].y, originY, numerator, denominator);
    }
    ComputeExtents(placed, extents);
    return true;
}

}  // namespace vireluna
