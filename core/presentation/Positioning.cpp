#include <algorithm>
#include <cstdint>

#include "core/presentation/Placement.h"
#include "core/presentation/Rounding.h"
#include "core/presentation/ScreenFit.h"

namespace vireluna {
namespace {

// A design exactly as wide as the screen may start anywhere in a band of this share of it.
constexpr double ExactFitBandShare = 0.6;

// The shift that moves the design beside the logo, or 0 when it need not move.
std::int64_t LogoShift(const LogoState& logo, const DesignExtents& extents) {
    const Rect& rect = logo.logoRect;
    const std::int64_t toRightOfLogo = static_cast<std::int64_t>(rect.right) - extents.minX;
    const std::int64_t toLeftOfLogo = static_cast<std::int64_t>(rect.left) - extents.maxX;
    switch (logo.logoCorner) {
        case LogoTopLeft:
            return extents.maxY < rect.bottom && extents.minX < rect.right ? toRightOfLogo : 0;
        case LogoTopRight:
            return extents.maxY < rect.bottom && extents.maxX > rect.left ? toLeftOfLogo : 0;
        case LogoBottomRight:
            return extents.minY > rect.top && extents.maxX > rect.left ? toLeftOfLogo : 0;
        case LogoBottomLeft:
            return extents.minY > rect.top && extents.minX < rect.right ? toRightOfLogo : 0;
        default:
            return 0;
    }
}

bool OnLogo(const LogoState& logo, const DesignExtents& extents) {
    const Rect& rect = logo.logoRect;
    return extents.minX < rect.right && extents.maxX >= rect.left && extents.minY < rect.bottom &&
           extents.maxY >= rect.top;
}

// The sideways move that takes a design clear of the logo, away from the logo's edge.
std::int64_t LogoSideways(const LogoState& logo, const DesignExtents& extents) {
    const Rect& rect = logo.logoRect;
    const bool atLeft = logo.logoCorner == LogoTopLeft || logo.logoCorner == LogoBottomLeft;
    return atLeft ? std::int64_t{rect.right} - extents.minX
                  : std::int64_t{rect.left} - extents.maxX;
}

// The vertical move that takes a design lying beside the logo clear of it: below a logo at
// the top, above one at the bottom.
std::int64_t LogoClearance(const LogoState& logo, const DesignExtents& extents) {
    const Rect& rect = logo.logoRect;
    const bool atTop = logo.logoCorner == LogoTopLeft || logo.logoCorner == LogoTopRight;
    return atTop ? std::int64_t{rect.bottom} - extents.minY
                 : std::int64_t{rect.top} - 1 - extents.maxY;
}

void MoveBy(PlacementResult& result, std::int64_t dx, std::int64_t dy) {
    DesignExtents& extents = result.placedExtents;
    extents.minX = SaturateToInt32(extents.minX + dx);
    extents.maxX = SaturateToInt32(extents.maxX + dx);
    extents.minY = SaturateToInt32(extents.minY + dy);
    extents.maxY = SaturateToInt32(extents.maxY + dy);
    result.offsetX = SaturateToInt32(result.offsetX + dx);
    result.offsetY = SaturateToInt32(result.offsetY + dy);
}

}  // namespace

std::int32_t ChooseOffset(std::int64_t extent, std::int32_t screenSize, std::int32_t currentMin,
                          Random& random) {
    // One draw whatever the case, so the sequence of draws never depends on the sizes.
    const std::int64_t r = random.Next();
    std::int64_t newMin = 0;
    if (extent < screenSize) {
        newMin = r % (screenSize - extent);
    } else if (extent == screenSize) {
        const std::int64_t band = RoundHalfAway(screenSize * ExactFitBandShare);
        // A screen too small for a band (0 pixels) leaves the design at the edge.
        if (band > 0) newMin = r % band - (band >> 1);
    } else {
        const std::int64_t overhang = extent - screenSize;
        newMin = r % (2 * overhang) - overhang;
    }
    return SaturateToInt32(newMin - currentMin);
}

void AvoidLogo(const LogoState& logo, PlacementResult& result) {
    MoveBy(result, LogoShift(logo, result.placedExtents), 0);
}

void AvoidLogoWithin(const LogoState& logo, const FitArea& area, PlacementResult& result) {
    // Any design on the logo moves, not only one beside it: a shrunk design is placed where
    // the margin allows, and the logo is drawn under it.
    const DesignExtents& extents = result.placedExtents;
    if (!OnLogo(logo, extents)) return;
    const std::int64_t shift = LogoSideways(logo, extents);
    // The moves that keep the design inside the area; the design starts inside it.
    const std::int64_t areaRight = std::int64_t{area.left} + area.width - 1;
    const std::int64_t areaBottom = std::int64_t{area.top} + area.height - 1;
    const std::int64_t leftmost = std::min<std::int64_t>(area.left - std::int64_t{extents.minX}, 0);
    const std::int64_t rightmost = std::max<std::int64_t>(areaRight - extents.maxX, 0);
    const std::int64_t highest = std::min<std::int64_t>(area.top - std::int64_t{extents.minY}, 0);
    const std::int64_t lowest = std::max<std::int64_t>(areaBottom - extents.maxY, 0);
    if (shift >= leftmost && shift <= rightmost) {
        MoveBy(result, shift, 0);
        return;
    }
    // Too wide to pass the logo sideways: below or above it, if the area has room there.
    const std::int64_t clearance = LogoClearance(logo, extents);
    if (clearance >= highest && clearance <= lowest) {
        MoveBy(result, 0, clearance);
        return;
    }
    // The margin wins over the logo: as far from it as the area allows.
    MoveBy(result, std::clamp(shift, leftmost, rightmost), 0);
}

}  // namespace vireluna
