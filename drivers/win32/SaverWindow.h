#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/FileSystem.h"
#include "core/ports/ProfileStore.h"
#include "core/ports/WindowHost.h"
#include "core/saver/MonitorRuns.h"
#include "drivers/win32/DibCanvas.h"
#include "drivers/win32/GdiSurface.h"
#include "raster/ChangedArea.h"
#include "raster/OverlayTrail.h"
#include "raster/TrackingSurface.h"

namespace vireluna::win32 {

// The native window of the saver: it owns the saver's runs (one, or one per monitor over the
// virtual screen), gives them a WindowHost over USER and GDI, and translates window messages
// into their handlers. The object deletes itself once its window is gone.
class SaverWindow final : public WindowHost {
  public:
    // A visible child of the host window covering its client area. False when no window
    // could be made; nothing is left behind then.
    static bool CreatePreview(HWND host, ProfileStore& profile, FileSystem& files, RunStart start);
    // A topmost popup window over every monitor: the system's, or these when given (then it
    // keeps them whatever the system's display does).
    static bool CreateFullScreen(ProfileStore& profile, FileSystem& files, RunStart start,
                                 const std::optional<MonitorLayout>& monitors = std::nullopt);

    ~SaverWindow() override;

    // WindowHost
    Surface& AcquireSurface() override;
    void ReleaseSurface() override;
    void InvalidateWithErase() override;
    // The system erases: WM_ERASEBKGND comes with the repaint.
    bool TakePendingErase() override { return false; }
    void SetTimer(int periodMs) override;
    void KillTimer() override;
    void PostCloseRequest() override;
    ScreenSize GetScreenSize() const override;
    ScreenSize ClientSize() const override;
    // Held until the handler that handed it has returned: a posted message shows it.
    bool OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                     MessageIcon icon) override;

  private:
    SaverWindow(RunMode mode, ProfileStore& profile, FileSystem& files, RunStart start,
                const MonitorLayout& layout);
    static bool Create(std::unique_ptr<SaverWindow> window, DWORD style, const RECT& rect,
                       HWND parent);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The full-screen table first, then the saver's, then the default handling.
    LRESULT FullScreenMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT SaverMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The thread look and machine playback draw through the canvas; without one, GDI draws.
    bool WantsCanvas() const;
    bool DrawsOnCanvas() const;
    // Puts the changed parts of the canvas on dc, with the overlays shown over them.
    void PresentArea(HDC dc, const raster::ChangedArea& area);
    void PresentWithOverlays(HDC dc, const raster::PixelBox& box);
    // After a tick: machine playback's overlays move to where they are now.
    void UpdateOverlays();
    void ResizeCanvas(int width, int height);
    LRESULT OnEraseBackground(HDC dc);
    // Monitors came, went or moved: the window covers the new layout.
    void OnDisplayChange();
    // The box of the message a run handed over, shown with no tick under way; the runs are
    // told once it is closed.
    void ShowHandedMessage();

    HWND window_ = nullptr;
    HINSTANCE module_;
    MonitorRuns runs_;
    HDC tickDc_ = nullptr;
    std::optional<GdiSurface> surface_;
    DibCanvas canvas_;
    bool canvasReady_ = false;
    std::optional<DibSurface> canvasSurface_;
    raster::ChangedArea canvasChanged_;
    std::optional<raster::TrackingSurface> canvasTracking_;
    DibCanvas overlayCanvas_;  // a part of the canvas with the overlays painted over it
    std::vector<MachineOverlay> overlays_;  // shown now
    raster::OverlayTrail overlayTrail_;
    struct HandedMessage {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    std::optional<HandedMessage> handed_;  // handed over by a run, its box not yet shown
    // The object outlives a window destroyed under a running handler (any modal loop inside
    // one, as the box's or the system's own for moving a window, dispatches messages): it is
    // deleted when the outermost handler returns.
    int handlerDepth_ = 0;
    bool windowGone_ = false;
    bool ownedByWindow_ = false;
    bool followsDisplay_ = false;  // full screen over the system's own monitors
};

}  // namespace vireluna::win32
