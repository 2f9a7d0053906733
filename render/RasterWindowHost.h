#pragma once

#include <iosfwd>
#include <string_view>

#include "platform/MessageBoxes.h"
#include "platform/WindowHost.h"
#include "render/ChangedArea.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"
#include "render/TickSchedule.h"
#include "render/TrackingSurface.h"

namespace vireluna::raster {

// The saver's window drawn into memory: the one host of every driver without a native window.
// The render tool writes the picture out; the X11 saver puts the parts that changed on its
// window. The driver plays the message loop: it steps the run while the timer is due, and the
// run erases what the window asked for.
class RasterWindowHost : public WindowHost {
  public:
    // screen: the whole screen; client: the window's client area, the picture that is kept.
    // Message boxes go to messages.
    RasterWindowHost(ScreenSize screen, ScreenSize client, RasterImage logo,
                     MessageBoxes& messages);
    RasterWindowHost(const RasterWindowHost&) = delete;
    RasterWindowHost& operator=(const RasterWindowHost&) = delete;

    Surface& AcquireSurface() override { return tracking_; }
    void ReleaseSurface() override {}
    void InvalidateWithErase() override { pendingErase_ = true; }
    bool TakePendingErase() override;
    void SetTimer(int periodMs) override;
    void KillTimer() override { timer_.Stop(); }
    void PostCloseRequest() override { closeRequested_ = true; }
    ScreenSize GetScreenSize() const override { return screen_; }
    ScreenSize ClientSize() const override { return {image_.Width(), image_.Height()}; }
    void Show(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon) override {
        messages_.Show(utf8Text, utf8Caption, icon);
    }

    // Timer 1 on the monotonic clock.
    TickSchedule& Timer() { return timer_; }
    bool CloseRequested() const { return closeRequested_; }
    const RasterImage& Image() const { return image_; }
    // A new client size: the picture starts again from an erased background.
    void Resize(ScreenSize client);
    // The part of the picture drawn since the last call, clipped to it; false when none.
    bool TakeChangedArea(ChangedArea& area);

  private:
    ScreenSize screen_;
    RasterImage image_;
    RasterImage logo_;
    RasterSurface surface_;
    ChangedArea changed_;
    TrackingSurface tracking_;
    TickSchedule timer_;
    MessageBoxes& messages_;
    bool pendingErase_ = false;
    bool closeRequested_ = false;
};

// Message boxes written as lines, "caption (icon): text", and answered at once.
class MessageLog final : public MessageBoxes {
  public:
    explicit MessageLog(std::ostream& out) : out_(out) {}
    void Show(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon) override;

  private:
    std::ostream& out_;
};

}  // namespace vireluna::raster
