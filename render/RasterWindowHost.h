#pragma once

#include <iosfwd>
#include <string_view>

#include "platform/WindowHost.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"

namespace vireluna::raster {

// A window drawn into memory, for tools that run the saver's cycle without a display.
// Whoever drives it plays the message loop: it asks TakePendingErase before each tick and
// erases, and it sends a tick only while the timer runs.
class RasterWindowHost : public WindowHost {
  public:
    // screen: the whole screen; client: the window's client area, the picture that is kept.
    // Message boxes are written to messages (and answered at once).
    RasterWindowHost(ScreenSize screen, ScreenSize client, RasterImage logo,
                     std::ostream& messages);
    RasterWindowHost(const RasterWindowHost&) = delete;
    RasterWindowHost& operator=(const RasterWindowHost&) = delete;

    Surface& AcquireSurface() override { return surface_; }
    void ReleaseSurface() override {}
    void InvalidateWithErase() override { pendingErase_ = true; }
    void SetTimer(int periodMs) override;
    void KillTimer() override { timerRunning_ = false; }
    void PostCloseRequest() override { closeRequested_ = true; }
    ScreenSize GetScreenSize() const override { return screen_; }
    void ShowMessageBox(std::string_view utf8Text, std::string_view utf8Caption,
                        MessageIcon icon) override;

    // True once after a repaint has been asked for: the driver erases before the next tick.
    bool TakePendingErase();
    bool TimerRunning() const { return timerRunning_; }
    int TimerPeriod() const { return timerPeriod_; }
    bool CloseRequested() const { return closeRequested_; }
    int MessageBoxCount() const { return messageBoxCount_; }
    ScreenSize ClientSize() const { return {image_.Width(), image_.Height()}; }
    const RasterImage& Image() const { return image_; }

  private:
    ScreenSize screen_;
    RasterImage image_;
    RasterImage logo_;
    RasterSurface surface_;
    std::ostream& messages_;
    bool pendingErase_ = false;
    bool timerRunning_ = false;
    int timerPeriod_ = 0;
    bool closeRequested_ = false;
    int messageBoxCount_ = 0;
};

}  // namespace vireluna::raster
