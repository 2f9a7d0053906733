#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "platform/ProfileStore.h"
#include "platform/Random.h"
#include "platform/WindowHost.h"
#include "platform/win32/DibCanvas.h"
#include "platform/win32/GdiSurface.h"
#include "shell/FullScreenSaverWnd.h"
#include "shell/RunControls.h"
#include "shell/SaverWnd.h"

namespace vireluna::win32 {

// The native window of the saver: it owns the portable window logic (CSaverWnd, or
// CFullScreenSaverWnd over the whole screen), gives it a WindowHost over USER and GDI, and
// translates window messages into its handlers. The object deletes itself once its window
// is gone.
class SaverWindow final : public WindowHost {
  public:
    // A visible child of the host window covering its client area. False when no window
    // could be made; nothing is left behind then.
    static bool CreatePreview(HWND host, ProfileStore& profile, Random& random, TickLimit ticks);
    // A topmost popup window over the whole primary screen.
    static bool CreateFullScreen(ProfileStore& profile, Random& random, TickLimit ticks);

    ~SaverWindow() override;

    // WindowHost
    Surface& AcquireSurface() override;
    void ReleaseSurface() override;
    void InvalidateWithErase() override;
    void SetTimer(int periodMs) override;
    void KillTimer() override;
    void PostCloseRequest() override;
    ScreenSize GetScreenSize() const override;
    void ShowMessageBox(std::string_view utf8Text, std::string_view utf8Caption,
                        MessageIcon icon) override;

  private:
    SaverWindow(bool fullScreen, ProfileStore& profile, Random& random, TickLimit ticks);
    static bool Create(std::unique_ptr<SaverWindow> window, DWORD style, const RECT& rect,
                       HWND parent);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The full-screen table first, then the saver's, then the default handling.
    LRESULT FullScreenMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT SaverMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTick();
    // The thread look draws through the canvas; without one, GDI draws.
    bool DrawsOnCanvas() const;
    void ResizeCanvas(int width, int height);
    LRESULT OnEraseBackground(HDC dc);

    HWND window_ = nullptr;
    HINSTANCE module_;
    std::unique_ptr<CSaverWnd> logic_;
    CFullScreenSaverWnd* fullScreen_ = nullptr;  // the same object as logic_ in full screen
    TickLimit ticks_;
    HDC tickDc_ = nullptr;
    std::optional<GdiSurface> surface_;
    DibCanvas canvas_;
    bool canvasReady_ = false;
    std::optional<DibSurface> canvasSurface_;
    // The object outlives a window destroyed under a running handler (a message box's own
    // loop dispatches messages): it is deleted when the outermost handler returns.
    int handlerDepth_ = 0;
    bool windowGone_ = false;
    bool ownedByWindow_ = false;
};

}  // namespace vireluna::win32
