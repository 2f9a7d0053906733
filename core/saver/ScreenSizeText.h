#pragma once

#include <optional>
#include <string_view>

#include "core/ports/WindowHost.h"
#include "core/saver/MonitorLayout.h"

namespace vireluna {

// Largest width or height the render tool draws, so that a typo cannot ask for gigabytes.
inline constexpr int MaxRenderSide = 8192;

// "WIDTHxHEIGHT", each 1 to MaxRenderSide; nothing else is accepted.
std::optional<ScreenSize> ParseScreenSize(std::string_view text);

// "WxH+X+Y[,WxH+X+Y...]", the primary first; an offset may be negative ("1280x1024-1280+0" is
// left of a primary at +0+0). Every monitor and the bounds of them all are 1 to MaxRenderSide
// a side, and no two monitors are the same rectangle. Any number is taken: as on a desk, the
// monitors past MaxMonitors keep the field colour.
std::optional<MonitorLayout> ParseMonitorList(std::string_view text);

}  // namespace vireluna
