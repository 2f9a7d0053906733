#pragma once

#include <windows.h>

#include <string>

#include "tools/windriver/SaverProcess.h"

namespace vireluna::e2e {

// The host of a preview, as the display settings make one: a window of the driver whose
// client area is the given size. Destroying it ends the preview.
class PreviewHost {
  public:
    PreviewHost(int clientWidth, int clientHeight);
    ~PreviewHost();
    PreviewHost(const PreviewHost&) = delete;
    PreviewHost& operator=(const PreviewHost&) = delete;

    HWND Handle() const { return window_; }
    std::wstring HandleText() const;  // the handle in decimal, as the host passes it
    RECT ClientOnScreen() const;
    // The saver's child window in the host, once it is there; null after the time limit.
    HWND WaitForSaverChild(const SaverProcess& saver, Clock::duration limit = StartLimit) const;
    void Destroy();

  private:
    HWND window_ = nullptr;
};

// A plain top-level window of the driver, made active as a user would switch to it.
class OtherWindow {
  public:
    OtherWindow();
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    void Activate();

  private:
    HWND window_ = nullptr;
};

}  // namespace vireluna::e2e
