#pragma once

#include <string_view>

#include "platform/Surface.h"

namespace vireluna {

enum class MessageIcon { Stop, Exclamation, Information, None };

struct ScreenSize {
    int width;
    int height;
};

// What the saver window logic needs from its native window.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    // A drawing context on the client area, valid until ReleaseSurface.
    virtual Surface& AcquireSurface() = 0;
    virtual void ReleaseSurface() = 0;
    // Asks for a repaint of the whole client area with the background erased.
    virtual void InvalidateWithErase() = 0;
    // Timer 1: (re)started with a period in milliseconds, or stopped.
    virtual void SetTimer(int periodMs) = 0;
    virtual void KillTimer() = 0;
    virtual void PostCloseRequest() = 0;
    virtual ScreenSize GetScreenSize() const = 0;
    // Modal: returns when the user has closed the box.
    virtual void ShowMessageBox(std::string_view utf8Text, std::string_view utf8Caption,
                                MessageIcon icon) = 0;
};

}  // namespace vireluna
