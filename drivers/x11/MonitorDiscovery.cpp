#include "drivers/x11/MonitorDiscovery.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include <vector>

#include "drivers/x11/X11Errors.h"

namespace vireluna::x11 {
namespace {

constexpr int MonitorsMajor = 1;  // RandR keeps monitors from version 1.5 on
constexpr int MonitorsMinor = 5;

bool HasRandRMonitors(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase) == False) return false;
    int major = 0;
    int minor = 0;
    if (XRRQueryVersion(display, &major, &minor) == 0) return false;
    return major > MonitorsMajor || (major == MonitorsMajor && minor >= MonitorsMinor);
}

std::vector<MonitorRect> RandRMonitors(Display* display) {
    std::vector<MonitorRect> monitors;
    if (!HasRandRMonitors(display)) return monitors;
    int count = 0;
    const unsigned long first = NextRequest(display);
    XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    if (FailedSince(display, first) || info == nullptr) {
        if (info != nullptr) XRRFreeMonitors(info);
        return monitors;
    }
    for (int i = 0; i < count; ++i) {
        const MonitorRect monitor{info[i].x, info[i].y, info[i].width, info[i].height};
        if (info[i].primary) {
            monitors.insert(monitors.begin(), monitor);
        } else {
            monitors.push_back(monitor);
        }
    }
    XRRFreeMonitors(info);
    return monitors;
}

std::vector<MonitorRect> XineramaHeads(Display* display) {
    std::vector<MonitorRect> heads;
    int eventBase = 0;
    int errorBase = 0;
    if (XineramaQueryExtension(display, &eventBase, &errorBase) == False ||
        XineramaIsActive(display) == False) {
        return heads;
    }
    int count = 0;
    XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
    if (info == nullptr) return heads;
    for (int i = 0; i < count; ++i) {
        heads.push_back({info[i].x_org, info[i].y_org, info[i].width, info[i].height});
    }
    XFree(info);
    return heads;
}

}  // namespace

DiscoveredMonitors DiscoverMonitors(Display* display) {
    DiscoveredMonitors found;
    found.layout = MonitorLayout(RandRMonitors(display));
    found.source = MonitorSource::RandR;
    if (found.layout.Empty()) {
        found.layout = MonitorLayout(XineramaHeads(display));
        found.source = MonitorSource::Xinerama;
    }
    if (found.layout.Empty()) {
        const Screen* screen = DefaultScreenOfDisplay(display);
        found.layout = MonitorLayout::Single({WidthOfScreen(screen), HeightOfScreen(screen)});
        found.source = MonitorSource::WholeScreen;
    }
    return found;
}

MonitorChangeWatch::MonitorChangeWatch(Display* display) {
    int errorBase = 0;
    if (XRRQueryExtension(display, &eventBase_, &errorBase) == False) {
        eventBase_ = -1;
        return;
    }
    XRRSelectInput(display, DefaultRootWindow(display),
                   RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
}

bool MonitorChangeWatch::IsLayoutEvent(XEvent& event) const {
    if (eventBase_ < 0) return false;
    if (event.type == eventBase_ + RRScreenChangeNotify) {
        XRRUpdateConfiguration(&event);
        return true;
    }
    return event.type == eventBase_ + RRNotify;
}

}  // namespace vireluna::x11
