#include "platform/x11/SaverLoop.h"

#include <poll.h>

#include <algorithm>
#include <ctime>
#include <iostream>

#include "platform/x11/MessagePanel.h"
#include "render/OverlayMask.h"

namespace vireluna::x11 {
namespace {

using Clock = raster::TickSchedule::Clock;

// Mouse buttons 4 to 7 are the wheel, which does not end the saver.
constexpr unsigned FirstWheelButton = 4;
constexpr unsigned LastWheelButton = 7;

// A wait longer than this is as good as forever; the loop wakes for events anyway.
constexpr std::chrono::seconds LongestWait{3600};

// The overlays' mask: eight pixels a byte; put in bands of this many rows.
constexpr int BitsPerMaskByte = 8;
constexpr int OverlayBandRows = 16;

// As long as a person needs to read a file name; the saver then goes on by itself.
constexpr std::chrono::milliseconds MessageShownFor{4000};

}  // namespace

SaverLoop::SaverLoop(Display* display, Window window, Visual* visual, int depth, SignalWake& wake,
                     Atom deleteWindow)
    : display_(display),
      window_(window),
      putter_(display, window, visual, depth),
      overlayPutter_(display, window, visual, depth, ImagePutter::Transfer::Plain),
      overlayMaskPixmap_(display, window),
      wake_(wake),
      deleteWindow_(deleteWindow),
      messageTime_(MessageShownFor) {
    if (ServerPicture::Suits(visual)) {
        server_ = std::make_unique<ServerPicture>(display, window, visual, depth);
    }
}

void SaverLoop::Attach(headless::RasterWindowHost& host) {
    host_ = &host;
    if (server_ && !host.KeepPictureIn(*server_)) server_.reset();
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
        run.ErasePending();
        Flush();
        Wait(host_->Timer().UntilDue(Clock::now()));
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
    overlays_.clear();
    if (run_ != nullptr) run_->CollectOverlays(overlays_);
    trail_.Follow(overlays_, changed);
    const ScreenSize client = host_->ClientSize();
    if (!changed.Clip(client.width, client.height)) return;
    for (const raster::PixelBox& box : changed.Boxes()) PutWithOverlays(box);
}

void SaverLoop::PutWithOverlays(const raster::PixelBox& whole) {
    Put(whole);
    const raster::PixelBox box = trail_.ShownWithin(whole);
    if (box.Empty()) return;
    // Only the overlays' own pixels go over the picture, which stays on the server.
    raster::PaintOverlayMask(box, overlays_, overlayPart_, overlayMask_);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const Pixmap mask = overlayMaskPixmap_.Load(overlayMask_, width, height);
    if (mask == XNone) return;
    overlayPutter_.SetClipMask(mask, box.left, box.top);
    // Band by band, only across what the overlays cover: a travel thread crosses a wide box
    // with a few pixels a row.
    const int rowBytes = (width + BitsPerMaskByte - 1) / BitsPerMaskByte;
    for (int top = 0; top < height; top += OverlayBandRows) {
        const int bottom = std::min(height, top + OverlayBandRows);
        int first = rowBytes;
        int last = -1;
        for (int y = top; y < bottom; ++y) {
            const char* row = overlayMask_.data() + static_cast<std::ptrdiff_t>(y) * rowBytes;
            for (int i = 0; i < rowBytes; ++i) {
                if (row[i] == 0) continue;
                first = std::min(first, i);
                last = std::max(last, i);
            }
        }
        if (last < 0) continue;
        const int left = first * BitsPerMaskByte;
        const int right = std::min(width, (last + 1) * BitsPerMaskByte);
        overlayPutter_.Put(overlayPart_, left, top, right, bottom, box.left + left, box.top + top);
    }
}

void SaverLoop::Put(const raster::PixelBox& box) {
    if (host_->PictureInMemory()) {
        putter_.Put(host_->Image(), box.left, box.top, box.right, box.bottom);
    } else {
        server_->Show(box);
    }
}

void SaverLoop::Repaint(int left, int top, int right, int bottom) {
    raster::ChangedArea area;
    area.Add(left, top, right, bottom);
    const ScreenSize client = host_->ClientSize();
    if (area.Clip(client.width, client.height)) PutWithOverlays(area.Box());
    PutMessage();
}

void SaverLoop::Show(std::string_view utf8Text, std::string_view utf8Caption,
                     MessageIcon /*icon*/) {
    std::cerr << utf8Caption << ": " << utf8Text << std::endl;
    message_ = std::make_unique<raster::RasterImage>(
        MessagePanel(utf8Text, utf8Caption, MessageArea().width));
    Flush();
    PutMessage();
    WaitWithoutTicks(messageTime_);
    message_.reset();
    const ScreenSize client = host_->ClientSize();
    Repaint(0, 0, client.width, client.height);
    XFlush(display_);
}

MonitorRect SaverLoop::MessageArea() const {
    const ScreenSize client = host_->ClientSize();
    const MonitorRect whole{0, 0, client.width, client.height};
    if (!messageArea_) return whole;
    // Within the window, whatever the area says.
    const int left = std::clamp(messageArea_->left, 0, client.width);
    const int top = std::clamp(messageArea_->top, 0, client.height);
    const int right =
        static_cast<int>(std::clamp<std::int64_t>(messageArea_->Right(), left, client.width));
    const int bottom =
        static_cast<int>(std::clamp<std::int64_t>(messageArea_->Bottom(), top, client.height));
    if (right == left || bottom == top) return whole;
    return {left, top, right - left, bottom - top};
}

void SaverLoop::PutMessage() {
    if (!message_) return;
    // Centred on its area, and wholly inside it so the start of the text is always readable.
    const MonitorRect area = MessageArea();
    const int width = std::min(message_->Width(), area.width);
    const int height = std::min(message_->Height(), area.height);
    const int x = area.left + (area.width - width) / 2;
    const int y = area.top + (area.height - height) / 2;
    putter_.Put(*message_, 0, 0, width, height, x, y);
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
