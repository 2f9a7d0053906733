#pragma once

#include "core/saver/MonitorLayout.h"

namespace vireluna::win32 {

// The monitors of the desktop on the virtual screen, the primary first, in physical pixels
// (the program is aware of each monitor's DPI). When the system lists none, the primary
// screen alone.
MonitorLayout DiscoverMonitors();

}  // namespace vireluna::win32
