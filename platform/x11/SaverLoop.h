#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "platform/x11/SignalWake.h"
#include "platform/x11/X11WindowHost.h"
#include "platform/x11/Xlib.h"
#include "shell/FullScreenSaverWnd.h"
#include "shell/SaverWnd.h"

namespace vireluna::x11 {

struct SaverLoopOptions {
    std::optional<std::int64_t> tickLimit;  // stop ticking after this many; keep the picture
    Atom deleteWindow = XNone;              // the window manager's close, for our own window
};

// The message loop of the X11 saver on one thread: waits on the X connection and the signal
// pipe until the next tick is due, translates events into the saver window's handlers, runs
// the ticks and puts what they drew on the window. Input reaches the saver only when it is
// given the full-screen window's rules (inputRules).
class SaverLoop {
  public:
    SaverLoop(Display* display, Window window, X11WindowHost& host, CSaverWnd& saver,
              CFullScreenSaverWnd* inputRules, SignalWake& wake, SaverLoopOptions options);

    // Runs until a signal, a close request, the window being closed or destroyed.
    void Run();
    std::int64_t TicksRun() const { return ticks_; }

  private:
    bool Ending() const { return signalled_ || host_.CloseRequested() || gone_; }
    void RunDueTick();
    void HandleEvents();
    void HandleEvent(const XEvent& event);
    void HandleInput(const XEvent& event);
    void EraseIfAsked();
    void Wait(std::chrono::steady_clock::duration timeout);
    void WaitWithoutTicks(std::chrono::milliseconds duration);

    Display* display_;
    Window window_;
    X11WindowHost& host_;
    CSaverWnd& saver_;
    CFullScreenSaverWnd* inputRules_;
    SignalWake& wake_;
    SaverLoopOptions options_;
    std::int64_t ticks_ = 0;
    bool signalled_ = false;
    bool gone_ = false;
};

}  // namespace vireluna::x11
