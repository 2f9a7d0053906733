#pragma once

#include <iosfwd>
#include <optional>
#include <string_view>

#include "core/ports/MessageBoxes.h"
#include "core/ports/WindowHost.h"
#include "drivers/headless/TickSchedule.h"
#include "raster/ChangedArea.h"
#include "raster/PictureStore.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "raster/TileSurface.h"
#include "raster/TrackingSurface.h"

namespace vireluna {
class SteppedSaver;
}

namespace vireluna::headless {

// The saver's window drawn into memory: the one host of every driver without a native window.
// The render tool writes the picture out; the X11 saver puts the parts that changed on its
// window. The driver plays the message loop: it steps the run while the timer is due, and the
// run erases what the window asked for. The picture is kept in memory, or in a raster::PictureStore
// (the X server) with only the part being drawn in memory.
class RasterWindowHost : public WindowHost {
  public:
    // screen: the whole screen; client: the window's client area, the picture that is kept.
    // The load-failure message goes to messages, the driver's.
    RasterWindowHost(ScreenSize screen, ScreenSize client, raster::RasterImage logo,
                     MessageHandOff& messages);
    RasterWindowHost(const RasterWindowHost&) = delete;
    RasterWindowHost& operator=(const RasterWindowHost&) = delete;

    Surface& AcquireSurface() override;
    void ReleaseSurface() override;
    void InvalidateWithErase() override { pendingErase_ = true; }
    bool TakePendingErase() override;
    void SetTimer(int periodMs) override;
    void KillTimer() override { timer_.Stop(); }
    void PostCloseRequest() override { closeRequested_ = true; }
    ScreenSize GetScreenSize() const override { return screen_; }
    ScreenSize ClientSize() const override { return client_; }
    bool OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                     MessageIcon icon) override {
        return messages_.OpenMessage(utf8Text, utf8Caption, icon);
    }

    // Timer 1 on the monotonic clock.
    headless::TickSchedule& Timer() { return timer_; }
    bool CloseRequested() const { return closeRequested_; }
    // The picture, while it is kept in memory.
    const raster::RasterImage& Image() const;
    // From now on the picture lives in store, which gets what was drawn so far; false (and
    // the picture stays in memory) when the store cannot hold a picture of the client size.
    bool KeepPictureIn(raster::PictureStore& store);
    bool PictureInMemory() const { return !tiles_; }
    // A new client size: the picture starts again from an erased background.
    void Resize(ScreenSize client);
    // The part of the picture drawn since the last call, clipped to it; false when none. A
    // store's picture is up to date once this returns. A store that lost its picture gets a
    // new one, and the window an erase, as a native window's repaint clears it.
    bool TakeChangedArea(raster::ChangedArea& area);

  private:
    raster::RasterImage& MemoryPicture() const;
    void DrawInMemory();
    // An erased picture of the client size, in the store while it can hold one.
    void StartAgain();

    ScreenSize screen_;
    ScreenSize client_;
    // Made on first use, so that a picture kept in a store is never held here as well.
    mutable raster::RasterImage image_;
    raster::RasterImage logo_;
    raster::RasterSurface surface_;
    raster::ChangedArea changed_;
    raster::PictureStore* store_ = nullptr;
    std::optional<raster::TileSurface> tiles_;  // while the picture is in store_
    std::optional<raster::TrackingSurface> tracking_;
    int acquired_ = 0;       // surfaces handed out and not yet released
    bool toMemory_ = false;  // once they are all back, the picture goes into memory
    headless::TickSchedule timer_;
    MessageHandOff& messages_;
    bool pendingErase_ = false;
    bool closeRequested_ = false;
};

// Messages written as lines, "caption (icon): text", each answered as soon as it is written:
// the driver tells the runs so once the step that handed it is over (AnswerAfterStep).
class MessageLog final : public MessageHandOff {
  public:
    explicit MessageLog(std::ostream& out) : out_(out) {}
    bool OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                     MessageIcon icon) override;
    // Tells the runs that the message written during their last step is closed, if one was.
    void AnswerAfterStep(SteppedSaver& runs);

  private:
    std::ostream& out_;
    bool open_ = false;
};

}  // namespace vireluna::headless
