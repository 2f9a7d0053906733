#pragma once

#include "drivers/x11/Xlib.h"

#include <string>

#include "core/ports/WindowHost.h"
#include "core/saver/MonitorLayout.h"

namespace vireluna::x11 {

// The window the saver draws into, whoever made it.
struct SaverTarget {
    Window window = XNone;
    Visual* visual = nullptr;
    int depth = 0;
    ScreenSize size{0, 0};
    bool ours = false;          // created here, destroyed on the way out
    Atom deleteWindow = XNone;  // the window manager's close button, for a top-level window
};

// The window named by $XSCREENSAVER_WINDOW, else the virtual root, else the root window.
bool FindRootTarget(Display* display, SaverTarget& target, std::string& error);
// An existing window; its events tell us when it is resized or destroyed.
bool FindWindowTarget(Display* display, unsigned long id, SaverTarget& target, std::string& error);
// An ordinary top-level window of the given size, for trying the saver out.
bool CreateTopLevelTarget(Display* display, ScreenSize size, SaverTarget& target,
                          std::string& error);
// A window over the given part of the root (every monitor's bounds), above all others, with
// the pointer hidden, holding the keyboard focus; returns once it is on screen.
bool CreateFullScreenTarget(Display* display, const MonitorRect& place, SaverTarget& target,
                            std::string& error);

void ReleaseTarget(Display* display, const SaverTarget& target);

}  // namespace vireluna::x11
