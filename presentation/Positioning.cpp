#include <cstdint>

#include "presentation/Placement.h"
#include "presentation/Rounding.h"

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
    const std::int64_t shift = LogoShift(logo, result.placedExtents);
    if (shift == 0) return;
    DesignExtents& extents = result.placedExtents;
    extents.minX = SaturateToInt32(extents.minX + shift);
    extents.maxX = SaturateToInt32(extents.maxX + shift);
    result.offsetX = SaturateToInt32(result.offsetX + shift);
}

}  // namespace vireluna
