#pragma once

#include <optional>

#include "platform/WindowHost.h"
#include "shell/AreaSurface.h"
#include "shell/MonitorLayout.h"
#include "shell/SaverWnd.h"

namespace vireluna {

// The window host that one monitor's run sees inside a window spanning several monitors: its
// screen is its monitor, its drawing lands in the monitor's area of the window, and the
// repaint it asks for clears that area only (its run erases it before the next tick). The
// timer is the primary's, the close request the window's; message boxes of the other monitors
// go through the primary's run, so a box of any monitor holds the saver open as the primary's
// does.
class MonitorWindowHost final : public WindowHost {
  public:
    MonitorWindowHost(WindowHost& window, const MonitorRect& areaInWindow, bool ownsTimer)
        : window_(window), area_(areaInWindow), ownsTimer_(ownsTimer) {}

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
        if (ownsTimer_) window_.SetTimer(periodMs);
    }
    void KillTimer() override {
        if (ownsTimer_) window_.KillTimer();
    }
    void PostCloseRequest() override { window_.PostCloseRequest(); }
    ScreenSize GetScreenSize() const override { return area_.Size(); }
    ScreenSize ClientSize() const override { return area_.Size(); }
    void Show(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon) override {
        if (messagesThrough_ != nullptr) {
            messagesThrough_->ShowModalMessage(utf8Text, utf8Caption, icon);
        } else {
            window_.Show(utf8Text, utf8Caption, icon);
        }
    }

    // None: straight to the window.
    void SendMessagesThrough(CSaverWnd* run) { messagesThrough_ = run; }
    const MonitorRect& Area() const { return area_; }
    // The window moved over the screen (another monitor came or went): the same monitor lies
    // elsewhere in it.
    void MoveTo(const MonitorRect& areaInWindow) { area_ = areaInWindow; }

  private:
    WindowHost& window_;
    MonitorRect area_;
    bool ownsTimer_;
    std::optional<AreaSurface> surface_;
    CSaverWnd* messagesThrough_ = nullptr;
    bool erasePending_ = false;
};

}  // namespace vireluna
