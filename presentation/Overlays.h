#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Random.h"
#include "platform/Surface.h"
#include "platform/WindowHost.h"
#include "presentation/Geometry.h"

namespace vireluna {

inline constexpr ColourValue BackgroundColour = 0x00FFD7BE;  // red 190, green 215, blue 255
inline constexpr int LogoWidth = 96;
inline constexpr int LogoHeight = 109;
inline constexpr std::string_view NoticeText = "Vireluna (C) 2026 Tessoran";

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
// noticeRange: screen width less 300, as the window keeps it. Draws one random number.
void DrawNotice(Surface& surface, ScreenSize screen, std::int32_t noticeRange, Random& random);
// Fills the client area with the background colour; the background counts as erased.
bool OnEraseBkgnd(Surface& surface, int clientWidth, int clientHeight);

}  // namespace vireluna
