#pragma once

#include <optional>

#include "core/ports/WindowHost.h"
#include "core/saver/AreaSurface.h"
#include "core/saver/MonitorLayout.h"

namespace vireluna {

// The window host that one monitor's run sees inside a window spanning several monitors: its
// screen is its monitor, its drawing lands in the monitor's area of the window, and the
// repaint it asks for clears that area only (its run erases it before the next tick). The
// timer and the message boxes are the primary's, the close request the window's. Every run
// plays the same playlist, so the primary names each file that fails to load as a lone saver
// does; the other monitors pass over it without a box of their own (one box, not one a
// monitor, each freezing every monitor in turn).
class MonitorWindowHost final : public WindowHost {
  public:
    MonitorWindowHost(WindowHost& window, const MonitorRect& areaInWindow, bool primary)
        : window_(window), area_(areaInWindow), primary_(primary) {}

    Surface& AcquireSurface() override {
        surface_.emplace(window_.AcquireSurface(), area_);
        return *surface_;
    }
    void ReleaseSurface() override {
        if (!surface_) return;
        surface_.reset();
        window_.ReleaseSurface();
    }
    void InvalidateWithErase() override { erasePending_ = true; }
    bool TakePendingErase() override {
        const bool pending = erasePending_;
        erasePending_ = false;
        return pending;
    }
    void SetTimer(int periodMs) override {
        if (primary_) window_.SetTimer(periodMs);
    }
    void KillTimer() override {
        if (primary_) window_.KillTimer();
    }
    void PostCloseRequest() override { window_.PostCloseRequest(); }
    ScreenSize GetScreenSize() const override { return area_.Size(); }
    ScreenSize ClientSize() const override { return area_.Size(); }
    bool OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                     MessageIcon icon) override {
        return primary_ && window_.OpenMessage(utf8Text, utf8Caption, icon);
    }

    const MonitorRect& Area() const { return area_; }

  private:
    WindowHost& window_;
    const MonitorRect area_;
    const bool primary_;
    std::optional<AreaSurface> surface_;
    bool erasePending_ = false;
};

}  // namespace vireluna
