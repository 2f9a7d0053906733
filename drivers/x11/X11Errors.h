#pragma once

#include "drivers/x11/Xlib.h"

namespace vireluna::x11 {

// Installs handlers once per process: protocol errors are remembered instead of ending the
// program (a window given to us may vanish at any time), and a lost connection ends it
// with a note.
void InstallErrorHandlers();

// True when a request sent at or after `firstRequest` (NextRequest before it) failed;
// syncs with the server first.
bool FailedSince(Display* display, unsigned long firstRequest);

}  // namespace vireluna::x11
