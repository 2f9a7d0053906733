#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/MessageBoxes.h"
#include "core/saver/MonitorLayout.h"
#include "core/saver/SaverRun.h"
#include "drivers/headless/RasterWindowHost.h"
#include "drivers/x11/OverlayCompositor.h"
#include "drivers/x11/SignalWake.h"
#include "drivers/x11/WindowMessage.h"
#include "drivers/x11/WindowPicture.h"
#include "drivers/x11/Xlib.h"

namespace vireluna::x11 {

// The message loop of the X11 saver on one thread: waits on the X connection and the signal
// pipe until the next tick is due, steps the saver's run, translates events into its handlers
// and has what changed in the picture put on the window (WindowPicture), with machine
// playback's overlays over it (OverlayCompositor). Input reaches the saver only in full
// screen. It is the saver window's message box too: the text goes to stderr and over the
// picture (WindowMessage) for a while. A run's message is opened between events and its close
// is told to the run; start-up's waits, events going on, before any run exists.
class SaverLoop final : public MessageBoxes, public MessageHandOff {
  public:
    // deleteWindow: the window manager's close, for a window of our own.
    SaverLoop(Display* display, Window window, Visual* visual, int depth, SignalWake& wake,
              Atom deleteWindow);

    // The picture the loop puts on the window; set before anything is drawn. The X server
    // keeps it when it can.
    void Attach(headless::RasterWindowHost& host);
    // Runs until a signal, a close request, the window being closed or destroyed.
    void Run(SteppedSaver& run);
    // Puts what changed on the window.
    void Flush();
    // Events for other windows (the root's RandR notices) go here first; true when taken.
    void WatchOtherEvents(std::function<bool(XEvent&)> watch) { otherEvents_ = std::move(watch); }
    // While kept, a message stays until the saver is ended instead of for a few seconds.
    void KeepMessagesUntilEnded(bool keep);
    // Messages go centred over this part of the window (the primary monitor); else over the
    // whole window.
    void ShowMessagesOver(const MonitorRect& area) { message_.ShowOver(area); }
    void Show(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon) override;
    bool OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                     MessageIcon icon) override;

  private:
    bool Ending() const { return signalled_ || gone_ || host_->CloseRequested(); }
    void RunDueTick();
    void HandleEvents();
    void HandleEvent(const XEvent& event);
    void HandleInput(const XEvent& event);
    void Repaint(int left, int top, int right, int bottom);
    // The picture's part, with machine playback's overlays over it where they lie.
    void PutWithOverlays(const raster::PixelBox& box);
    // A run's message: the one handed over is opened, one shown long enough is closed.
    void OpenHandedMessage();
    void CloseMessageWhenRead(SteppedSaver& run);
    void OpenPanel(std::string_view utf8Text, std::string_view utf8Caption);
    void ClosePanel();
    void Wait(std::chrono::steady_clock::duration timeout);
    void WaitWithoutTicks(std::chrono::milliseconds duration);

    Display* display_;
    Window window_;
    WindowPicture picture_;
    OverlayCompositor overlays_;
    WindowMessage message_;
    SignalWake& wake_;
    Atom deleteWindow_;
    headless::RasterWindowHost* host_ = nullptr;
    SteppedSaver* run_ = nullptr;  // while Run runs
    std::chrono::milliseconds messageTime_;
    struct HandedMessage {
        std::string text;
        std::string caption;
    };
    std::optional<HandedMessage> handed_;  // handed over by a run, not yet opened
    headless::TickSchedule::Clock::time_point messageUntil_;
    std::function<bool(XEvent&)> otherEvents_;
    bool signalled_ = false;
    bool gone_ = false;
};

}  // namespace vireluna::x11
