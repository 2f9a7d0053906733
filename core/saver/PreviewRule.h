#pragma once

#include <optional>

#include "core/ports/WindowHost.h"
#include "core/saver/MonitorLayout.h"

namespace vireluna {

// A window is the scaled preview when its client width differs from the screen's width.
bool IsPreviewWindow(int clientWidth, int screenWidth);

// The screen a window someone else gave the saver is measured against, so that the rule above
// tells a preview from a screen. A daemon gives each monitor a window of its own: a window
// that covers a whole monitor is that screen and plays the full picture of its size. Any
// other window, a settings program's preview, is measured against the whole display.
// window: where it lies on the display, none when that is not known.
ScreenSize ScreenForGivenWindow(const std::optional<MonitorRect>& window,
                                const MonitorLayout& monitors, ScreenSize display);

}  // namespace vireluna
