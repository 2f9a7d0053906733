#pragma once

// The X11 headers the backend uses, tamed: Xlib's macro None would rewrite the core's
// enumerators of that name (MessageIcon::None, TickResult::None), so it becomes XNone.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace vireluna::x11 {
inline constexpr unsigned long XNone = None;
}  // namespace vireluna::x11

#undef None
