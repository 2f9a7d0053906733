#pragma once

#include <cstdint>

#include "core/ports/Surface.h"
#include "core/ports/WindowHost.h"
#include "core/presentation/Geometry.h"

namespace vireluna {

// Logo corners, as SetLogoCorner numbers them.
inline constexpr std::int32_t LogoTopLeft = 0;
inline constexpr std::int32_t LogoTopRight = 1;
inline constexpr std::int32_t LogoBottomRight = 2;
inline constexpr std::int32_t LogoBottomLeft = 3;

struct LogoState {
    std::int32_t logoCorner = 0;  // 0 top left, 1 top right, 2 bottom right, 3 bottom left
    Rect logoRect{};
};

void SetLogoCorner(int corner, ScreenSize screen, LogoState& logo);
void DrawLogo(Surface& surface, const LogoState& logo);

}  // namespace vireluna
