#include "drivers/x11/SaverLoop.h"

#include <poll.h>

#include <algorithm>
#include <ctime>
#include <iostream>

namespace vireluna::x11 {
namespace {

using Clock = headless::TickSchedule::Clock;

// Mouse buttons 4 to 7 are the wheel, which does not end the saver.
constexpr unsigned FirstWheelButton = 4;
constexpr unsigned LastWheelButton = 7;

// A wait longer than this is as good as forever; the loop wakes for events anyway.
constexpr std::chrono::seconds LongestWait{3600};

// As long as a person needs to read a file name; the saver then goes on by itself.
constexpr std::chrono::milliseconds MessageShownFor{4000};

}  // namespace

SaverLoop::SaverLoop(Display* display, Window window, Visual* visual, int depth, SignalWake& wake,
                     Atom deleteWindow)
    : display_(display),
      window_(window),
      picture_(display, window, visual, depth),
      overlays_(display, window, visual, depth),
      wake_(wake),
      deleteWindow_(deleteWindow),
      messageTime_(MessageShownFor) {}

void SaverLoop::Attach(headless::RasterWindowHost& host) {
    host_ = &host;
    picture_.Attach(host);
}

void SaverLoop::KeepMessagesUntilEnded(bool keep) {
    messageTime_ = keep ? std::chrono::milliseconds::max() : MessageShownFor;
}

void SaverLoop::Run(SteppedSaver& run) {
    run_ = &run;
    run.ErasePending();
    Flush();
    while (!Ending()) {
        RunDueTick();
        HandleEvents();
        if (Ending()) break;
        OpenHandedMessage();
        CloseMessageWhenRead(run);
        run.ErasePending();
        Flush();
        Clock::duration timeout = host_->Timer().UntilDue(Clock::now());
        if (message_.IsOpen()) {
            timeout =
                std::min(timeout, std::max(Clock::duration::zero(), messageUntil_ - Clock::now()));
        }
        Wait(timeout);
    }
    run_ = nullptr;
}

void SaverLoop::RunDueTick() {
    const Clock::time_point now = Clock::now();
    if (!host_->Timer().Due(now)) return;
    // Scheduled before the tick runs: a tick that restarts the timer sets its own time.
    host_->Timer().Advance(now);
    run_->Step();
    Flush();
}

void SaverLoop::HandleEvents() {
    while (!Ending() && XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.xany.window != window_ && otherEvents_ && otherEvents_(event)) continue;
        HandleEvent(event);
    }
}

void SaverLoop::HandleEvent(const XEvent& event) {
    if (event.xany.window != window_) return;
    switch (event.type) {
        case Expose:
            Repaint(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                    event.xexpose.y + event.xexpose.height);
            return;
        case ConfigureNotify: {
            const ScreenSize client{event.xconfigure.width, event.xconfigure.height};
            const ScreenSize old = host_->ClientSize();
            if (client.width == old.width && client.height == old.height) return;
            host_->Resize(client);
            if (run_ != nullptr) run_->OnSize(client.width, client.height);
            return;
        }
        case DestroyNotify:
            gone_ = true;
            return;
        case ClientMessage:
            if (deleteWindow_ != XNone &&
                static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) {
                gone_ = true;
            }
            return;
        default:
            if (run_ != nullptr && run_->InputRules() != nullptr) HandleInput(event);
            return;
    }
}

void SaverLoop::HandleInput(const XEvent& event) {
    CFullScreenSaverWnd& rules = *run_->InputRules();
    switch (event.type) {
        case KeyPress:
            rules.OnKeyDown();
            return;
        case ButtonPress:
            if (event.xbutton.button < FirstWheelButton || event.xbutton.button > LastWheelButton) {
                rules.OnButtonDown();
            }
            return;
        case MotionNotify:
            rules.OnMouseMove(event.xmotion.x, event.xmotion.y);
            return;
        case FocusOut:
            // Focus moving to another window; not the pointer's wanderings inside ours, nor
            // a grab that only borrows the keyboard for a moment.
            if ((event.xfocus.mode == NotifyNormal || event.xfocus.mode == NotifyWhileGrabbed) &&
                event.xfocus.detail != NotifyInferior && event.xfocus.detail != NotifyPointer) {
                rules.OnActivate(false);
            }
            return;
        default:
            return;
    }
}

void SaverLoop::Flush() {
    raster::ChangedArea changed;
    host_->TakeChangedArea(changed);
    overlays_.Follow(run_, changed);
    const ScreenSize client = host_->ClientSize();
    if (!changed.Clip(client.width, client.height)) return;
    for (const raster::PixelBox& box : changed.Boxes()) PutWithOverlays(box);
    // An open message stays over what was drawn under it (a new layout's erase).
    message_.Put(picture_, client);
}

void SaverLoop::PutWithOverlays(const raster::PixelBox& box) {
    picture_.Put(box);
    overlays_.PutOver(box);
}

void SaverLoop::Repaint(int left, int top, int right, int bottom) {
    raster::ChangedArea area;
    area.Add(left, top, right, bottom);
    const ScreenSize client = host_->ClientSize();
    if (area.Clip(client.width, client.height)) PutWithOverlays(area.Box());
    message_.Put(picture_, client);
}

void SaverLoop::Show(std::string_view utf8Text, std::string_view utf8Caption,
                     MessageIcon /*icon*/) {
    OpenPanel(utf8Text, utf8Caption);
    WaitWithoutTicks(messageTime_);
    ClosePanel();
}

bool SaverLoop::OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                            MessageIcon /*icon*/) {
    handed_ = HandedMessage{std::string(utf8Text), std::string(utf8Caption)};
    return true;
}

void SaverLoop::OpenHandedMessage() {
    if (!handed_) return;
    const HandedMessage message = std::move(*handed_);
    handed_.reset();
    OpenPanel(message.text, message.caption);
    const bool forever = messageTime_ == std::chrono::milliseconds::max();
    messageUntil_ = forever ? Clock::time_point::max() : Clock::now() + messageTime_;
}

void SaverLoop::CloseMessageWhenRead(SteppedSaver& run) {
    if (!message_.IsOpen() || Clock::now() < messageUntil_) return;
    ClosePanel();
    run.OnMessageClosed();
}

void SaverLoop::OpenPanel(std::string_view utf8Text, std::string_view utf8Caption) {
    std::cerr << utf8Caption << ": " << utf8Text << std::endl;
    message_.Open(utf8Text, utf8Caption, host_->ClientSize());
    Flush();
    message_.Put(picture_, host_->ClientSize());
}

void SaverLoop::ClosePanel() {
    message_.Close();
    const ScreenSize client = host_->ClientSize();
    Repaint(0, 0, client.width, client.height);
    XFlush(display_);
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
    const bool forever = duration == std::chrono::milliseconds::max();
    const Clock::time_point until = forever ? Clock::time_point::max() : Clock::now() + duration;
    while (!Ending()) {
        HandleEvents();
        if (Ending()) break;
        const Clock::time_point now = Clock::now();
        if (now >= until) break;
        Wait(until - now);
    }
}

}  // namespace vireluna::x11
