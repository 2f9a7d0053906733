#include "core/saver/PreviewRule.h"

namespace vireluna {

bool IsPreviewWindow(int clientWidth, int screenWidth) {
    return clientWidth != screenWidth;
}

ScreenSize ScreenForGivenWindow(const std::optional<MonitorRect>& window,
                                const MonitorLayout& monitors, ScreenSize display) {
    if (!window) return display;
    for (const MonitorRect& monitor : monitors.Monitors()) {
        if (window->left <= monitor.left && window->top <= monitor.top &&
            monitor.Right() <= window->Right() && monitor.Bottom() <= window->Bottom()) {
            return window->Size();
        }
    }
    return display;
}

}  // namespace vireluna
