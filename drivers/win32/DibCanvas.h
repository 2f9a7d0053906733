#pragma once

#include <windows.h>

#include <optional>

#include "core/ports/Surface.h"
#include "drivers/win32/GdiSurface.h"
#include "raster/PixelView.h"
#include "raster/ThreadBand.h"

namespace vireluna::win32 {

// The picture of the client area in the thread look and in machine playback: GDI cannot
// shade, and an overlay must move over a picture that is kept, so the saver draws into a
// 32-bit DIB section, with GDI for fills, the emblem and the text and with the software
// renderer for threads, and copies what changed to the window.
class DibCanvas {
  public:
    DibCanvas() = default;
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    // A canvas of the given size, compatible with reference; false when none could be made
    // (the old one is gone then too).
    bool Resize(HDC reference, int width, int height);
    HDC Dc() const { return dc_; }
    raster::PixelView View() const;
    // Copies [left, right) x [top, bottom) of the canvas to the same place on target.
    void Present(HDC target, const raster::PixelBox& box) const;
    // Copies the canvas's top-left width x height pixels to (toX, toY) on target.
    void PresentCorner(HDC target, int width, int height, int toX, int toY) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ originalBitmap_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A Surface over a DibCanvas: GDI for fills, the emblem, the text and flat lines, the
// software renderer for threads. What it changed is noted by the TrackingSurface around it.
class DibSurface final : public Surface {
  public:
    DibSurface(DibCanvas& canvas, HINSTANCE emblemModule);

    void SetPen(int width, ColourValue colour) override;
    void SetThreadPen(const ThreadPen& pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom, ColourValue colour) override;
    void DrawLogo(int left, int top) override;
    void DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                  ColourValue background) override;
    void SetClip(const ClipRect& clip) override;
    int VerticalDpi() const override { return gdi_.VerticalDpi(); }

  private:
    DibCanvas& canvas_;
    GdiSurface gdi_;
    std::optional<raster::ThreadBand> thread_;
    ClipRect clip_ = Unclipped;
    int currentX_ = 0;
    int currentY_ = 0;
};

}  // namespace vireluna::win32
