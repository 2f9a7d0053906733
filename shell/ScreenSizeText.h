#pragma once

#include <optional>
#include <string_view>

#include "platform/WindowHost.h"

namespace vireluna {

// Largest width or height the render tool draws, so that a typo cannot ask for gigabytes.
inline constexpr int MaxRenderSide = 8192;

// "WIDTHxHEIGHT", each 1 to MaxRenderSide; nothing else is accepted.
std::optional<ScreenSize> ParseScreenSize(std::string_view text);

}  // namespace vireluna
