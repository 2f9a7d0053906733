#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/MessageBoxes.h"
#include "platform/x11/ImagePutter.h"
#include "platform/x11/MaskPixmap.h"
#include "platform/x11/ServerPicture.h"
#include "platform/x11/SignalWake.h"
#include "platform/x11/Xlib.h"
#include "render/OverlayTrail.h"
#include "render/RasterImage.h"
#include "render/RasterWindowHost.h"
#include "shell/MonitorLayout.h"
#include "shell/SaverRun.h"

namespace vireluna::x11 {

// The message loop of the X11 saver on one thread: waits on the X connection and the signal
// pipe until the next tick is due, steps the saver's run, translates events into its handlers
// and puts what changed in the picture in memory on the window. Input reaches the saver only
// in full screen; machine playback's overlays go over the picture on their way to the window,
// never into it. It is the saver window's message box too: the text goes to stderr and over
// the picture, while the loop goes on without ticks.
class SaverLoop final : public MessageBoxes {
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
    void ShowMessagesOver(const MonitorRect& area) { messageArea_ = area; }
    void Show(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon) override;

  private:
    bool Ending() const { return signalled_ || gone_ || host_->CloseRequested(); }
    void RunDueTick();
    void HandleEvents();
    void HandleEvent(const XEvent& event);
    void HandleInput(const XEvent& event);
    void Repaint(int left, int top, int right, int bottom);
    void Put(const raster::PixelBox& box);
    // Put, with machine playback's overlays painted over the picture where they lie.
    void PutWithOverlays(const raster::PixelBox& box);
    void PutMessage();
    void Wait(std::chrono::steady_clock::duration timeout);
    void WaitWithoutTicks(std::chrono::milliseconds duration);
    MonitorRect MessageArea() const;

    Display* display_;
    Window window_;
    ImagePutter putter_;
    ImagePutter overlayPutter_;  // the overlays' own pixels, through a mask
    MaskPixmap overlayMaskPixmap_;
    std::unique_ptr<ServerPicture> server_;  // while it keeps the picture
    SignalWake& wake_;
    Atom deleteWindow_;
    headless::RasterWindowHost* host_ = nullptr;
    SteppedSaver* run_ = nullptr;  // while Run runs
    std::chrono::milliseconds messageTime_;
    std::unique_ptr<raster::RasterImage> message_;  // the box on screen, while it is shown
    std::optional<MonitorRect> messageArea_;
    std::function<bool(XEvent&)> otherEvents_;
    std::vector<MachineOverlay> overlays_;  // shown now
    raster::OverlayTrail trail_;
    raster::RasterImage overlayPart_;  // the overlays over a part of the window
    std::vector<char> overlayMask_;    // the pixels of overlayPart_ they cover
    bool signalled_ = false;
    bool gone_ = false;
};

}  // namespace vireluna::x11
