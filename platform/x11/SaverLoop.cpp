#include "platform/x11/SaverLoop.h"

#include <poll.h>

#include <algorithm>
#include <ctime>

namespace vireluna::x11 {
namespace {

using Clock = TickSchedule::Clock;

// Mouse buttons 4 to 7 are the wheel, which does not end the saver.
constexpr unsigned FirstWheelButton = 4;
constexpr unsigned LastWheelButton = 7;

// A wait longer than this is as good as forever; the loop wakes for events anyway.
constexpr std::chrono::seconds LongestWait{3600};

}  // namespace

SaverLoop::SaverLoop(Display* display, Window window, X11WindowHost& host, CSaverWnd& saver,
                     CFullScreenSaverWnd* inputRules, SignalWake& wake, SaverLoopOptions options)
    : display_(display),
      window_(window),
      host_(host),
      saver_(saver),
      inputRules_(inputRules),
      wake_(wake),
      options_(options) {
    host_.SetModalWait([this](std::chrono::milliseconds duration) { WaitWithoutTicks(duration); });
}

void SaverLoop::Run() {
    EraseIfAsked();
    host_.Flush();
    while (!Ending()) {
        RunDueTick();
        HandleEvents();
        if (Ending()) break;
        EraseIfAsked();
        host_.Flush();
        const bool ticking = !options_.tickLimit || ticks_ < *options_.tickLimit;
        Wait(ticking ? host_.Schedule().UntilDue(Clock::now()) : Clock::duration::max());
    }
}

void SaverLoop::RunDueTick() {
    if (options_.tickLimit && ticks_ >= *options_.tickLimit) return;
    const Clock::time_point now = Clock::now();
    if (!host_.Schedule().Due(now)) return;
    // Scheduled before the tick runs: a tick that restarts the timer sets its own time.
    host_.Schedule().Advance(now);
    // A repaint asked for earlier is handled before the timer message, as the message
    // loop orders them.
    EraseIfAsked();
    saver_.OnTimer();
    ++ticks_;
    EraseIfAsked();
    host_.Flush();
}

void SaverLoop::EraseIfAsked() {
    if (!host_.TakePendingErase()) return;
    const ScreenSize client = host_.ClientSize();
    saver_.OnEraseBkgnd(host_.AcquireSurface(), client.width, client.height);
    host_.ReleaseSurface();
}

void SaverLoop::HandleEvents() {
    while (!Ending() && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        HandleEvent(event);
    }
}

void SaverLoop::HandleEvent(const XEvent& event) {
    if (event.xany.window != window_) return;
    switch (event.type) {
        case Expose:
            host_.Repaint(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                          event.xexpose.y + event.xexpose.height);
            return;
        case ConfigureNotify: {
            const ScreenSize client{event.xconfigure.width, event.xconfigure.height};
            const ScreenSize old = host_.ClientSize();
            if (client.width == old.width && client.height == old.height) return;
            host_.Resize(client);
            saver_.OnSize(client.width, client.height);
            return;
        }
        case DestroyNotify:
            gone_ = true;
            return;
        case ClientMessage:
            if (options_.deleteWindow != XNone &&
                static_cast<Atom>(event.xclient.data.l[0]) == options_.deleteWindow) {
                gone_ = true;
            }
            return;
        default:
            if (inputRules_ != nullptr) HandleInput(event);
            return;
    }
}

void SaverLoop::HandleInput(const XEvent& event) {
    switch (event.type) {
        case KeyPress:
            inputRules_->OnKeyDown();
            return;
        case ButtonPress:
            if (event.xbutton.button < FirstWheelButton || event.xbutton.button > LastWheelButton) {
                inputRules_->OnButtonDown();
            }
            return;
        case MotionNotify:
            inputRules_->OnMouseMove(event.xmotion.x, event.xmotion.y);
            return;
        case FocusOut:
            // Focus moving to another window; not the pointer's wanderings inside ours, nor
            // a grab that only borrows the keyboard for a moment.
            if ((event.xfocus.mode == NotifyNormal || event.xfocus.mode == NotifyWhileGrabbed) &&
                event.xfocus.detail != NotifyInferior && event.xfocus.detail != NotifyPointer) {
                inputRules_->OnActivate(false);
            }
            return;
        default:
            return;
    }
}

void SaverLoop::Wait(Clock::duration timeout) {
    XFlush(display_);
    if (XPending(display_) > 0) return;
    timeout = std::min<Clock::duration>(timeout, LongestWait);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(timeout);
    timespec limit{};
    limit.tv_sec = static_cast<time_t>(nanoseconds.count() / 1'000'000'000);
    limit.tv_nsec = static_cast<long>(nanoseconds.count() % 1'000'000'000);
    pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wake_.Fd(), POLLIN, 0}};
    const int ready = ppoll(fds, wake_.Ready() ? 2 : 1, &limit, nullptr);
    if (ready > 0 && wake_.Ready() && (fds[1].revents & POLLIN) != 0 && wake_.Drain()) {
        signalled_ = true;
    }
}

void SaverLoop::WaitWithoutTicks(std::chrono::milliseconds duration) {
    const Clock::time_point until = Clock::now() + duration;
    while (!Ending()) {
        HandleEvents();
        if (Ending()) break;
        const Clock::time_point now = Clock::now();
        if (now >= until) break;
        Wait(until - now);
    }
}

}  // namespace vireluna::x11
