#pragma once

#include "drivers/x11/Xlib.h"

#include "core/saver/MonitorLayout.h"

namespace vireluna::x11 {

// Where a layout came from, best first.
enum class MonitorSource { RandR, Xinerama, WholeScreen };

struct DiscoveredMonitors {
    MonitorLayout layout;  // in root window coordinates, the primary first; never empty
    MonitorSource source = MonitorSource::WholeScreen;
};

// The monitors of the display's default screen: RandR 1.5 monitors (the primary first), else
// the Xinerama heads (the first head is the primary), else the whole screen as one monitor.
DiscoveredMonitors DiscoverMonitors(Display* display);

// RandR's notices that the screen or its monitors changed, asked for on the root window.
class MonitorChangeWatch {
  public:
    explicit MonitorChangeWatch(Display* display);
    // True for an event that may mean a new layout; it also brings Xlib's idea of the screen
    // size up to date.
    bool IsLayoutEvent(XEvent& event) const;

  private:
    int eventBase_ = -1;  // none without RandR
};

}  // namespace vireluna::x11
