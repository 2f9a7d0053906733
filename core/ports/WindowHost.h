#pragma once

#include <string_view>

#include "core/ports/MessageBoxes.h"
#include "core/ports/Surface.h"

namespace vireluna {

struct ScreenSize {
    int width;
    int height;
};

// What the saver window logic needs from its window. The load-failure message it hands over
// (OpenMessage) is the window's to show.
class WindowHost : public MessageHandOff {
  public:
    // A drawing context on the client area, valid until ReleaseSurface.
    virtual Surface& AcquireSurface() = 0;
    virtual void ReleaseSurface() = 0;
    // Asks for a repaint of the whole client area with the background erased.
    virtual void InvalidateWithErase() = 0;
    // True once after a repaint was asked for, for a window that leaves the erase to its
    // driver; a native window that erases by itself never has one pending.
    virtual bool TakePendingErase() = 0;
    // Timer 1: (re)started with a period in milliseconds, or stopped.
    virtual void SetTimer(int periodMs) = 0;
    virtual void KillTimer() = 0;
    virtual void PostCloseRequest() = 0;
    virtual ScreenSize GetScreenSize() const = 0;
    virtual ScreenSize ClientSize() const = 0;
};

}  // namespace vireluna
