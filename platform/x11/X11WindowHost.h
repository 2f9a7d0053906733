#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "platform/WindowHost.h"
#include "platform/x11/ChangedArea.h"
#include "platform/x11/ImagePutter.h"
#include "platform/x11/TickSchedule.h"
#include "platform/x11/TrackingSurface.h"
#include "platform/x11/Xlib.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"

namespace vireluna::x11 {

// A window on the X server as the saver window's host. The saver draws into a raster copy
// of the client area, the same raster the render tool writes out, and each flush puts the
// changed rectangle on the window; an expose is answered from that copy.
class X11WindowHost : public WindowHost {
  public:
    // Runs the event loop without ticks for a while, returning early when the saver is to
    // end; the loop gives it to the host for the modal message.
    using ModalWait = std::function<void(std::chrono::milliseconds)>;

    X11WindowHost(Display* display, Window window, Visual* visual, int depth, ScreenSize client,
                  raster::RasterImage logo);
    ~X11WindowHost() override;
    X11WindowHost(const X11WindowHost&) = delete;
    X11WindowHost& operator=(const X11WindowHost&) = delete;

    Surface& AcquireSurface() override { return tracking_; }
    void ReleaseSurface() override {}
    void InvalidateWithErase() override { pendingErase_ = true; }
    void SetTimer(int periodMs) override;
    void KillTimer() override { schedule_.Stop(); }
    void PostCloseRequest() override { closeRequested_ = true; }
    ScreenSize GetScreenSize() const override;
    // Written to stderr and shown over the picture for a few seconds.
    void ShowMessageBox(std::string_view utf8Text, std::string_view utf8Caption,
                        MessageIcon icon) override;

    void SetModalWait(ModalWait wait) { modalWait_ = std::move(wait); }
    // True once after a repaint was asked for.
    bool TakePendingErase();
    bool CloseRequested() const { return closeRequested_; }
    TickSchedule& Schedule() { return schedule_; }
    ScreenSize ClientSize() const { return {image_.Width(), image_.Height()}; }
    const raster::RasterImage& Image() const { return image_; }
    // A new client size: the picture starts again from an erased background.
    void Resize(ScreenSize client);
    // Puts a part of the picture again (and the message over it, while one is shown).
    void Repaint(int left, int top, int right, int bottom);
    // Puts what changed since the last flush.
    void Flush();

  private:
    void PutMessage();

    Display* display_;
    Window window_;
    raster::RasterImage image_;
    raster::RasterImage logo_;
    raster::RasterSurface raster_;
    ChangedArea changed_;
    TrackingSurface tracking_;
    ImagePutter putter_;
    TickSchedule schedule_;
    ModalWait modalWait_;
    bool pendingErase_ = false;
    bool closeRequested_ = false;
    std::unique_ptr<raster::RasterImage> message_;  // the box on screen, while it is shown
};

}  // namespace vireluna::x11
