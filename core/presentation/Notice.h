#pragma once

#include <cstdint>
#include <string_view>

#include "core/ports/Random.h"
#include "core/ports/Surface.h"
#include "core/ports/WindowHost.h"

namespace vireluna {

inline constexpr std::string_view NoticeText = "Vireluna (C) 2026 Tessoran";

// noticeRange: screen width less 300, as the window keeps it. Draws one random number.
void DrawNotice(Surface& surface, ScreenSize screen, std::int32_t noticeRange, Random& random);

}  // namespace vireluna
