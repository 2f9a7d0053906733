#include "drivers/win32/Win32Monitors.h"

#include <windows.h>

#include <vector>

namespace vireluna::win32 {
namespace {

struct Found {
    std::vector<MonitorRect> primary;
    std::vector<MonitorRect> others;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    auto& found = *reinterpret_cast<Found*>(context);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const RECT& area = info.rcMonitor;
    const MonitorRect rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
    ((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? found.primary : found.others).push_back(rect);
    return TRUE;
}

}  // namespace

MonitorLayout DiscoverMonitors() {
    Found found;
    EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&found));
    std::vector<MonitorRect> ordered = found.primary;
    ordered.insert(ordered.end(), found.others.begin(), found.others.end());
    MonitorLayout layout(ordered);
    if (!layout.Empty()) return layout;
    return MonitorLayout::Single({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

}  // namespace vireluna::win32
