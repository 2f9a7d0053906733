#include "drivers/win32/DibCanvas.h"

#include <algorithm>

namespace vireluna::win32 {
namespace {

constexpr int CanvasBitsPerPixel = 32;
constexpr int CanvasPixelBytes = CanvasBitsPerPixel / 8;
// A 32-bit DIB pixel holds blue, green, red and an unused byte.
constexpr int DibBlue = 0;
constexpr int DibGreen = 1;
constexpr int DibRed = 2;

}  // namespace

DibCanvas::~DibCanvas() {
    Release();
}

void DibCanvas::Release() {
    if (dc_ != nullptr) {
        SelectObject(dc_, originalBitmap_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    originalBitmap_ = nullptr;
    bits_ = nullptr;
    width_ = 0;
    height_ = 0;
}

bool DibCanvas::Resize(HDC reference, int width, int height) {
    if (dc_ != nullptr && width == width_ && height == height_) return true;
    Release();
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = CanvasBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    dc_ = bitmap_ != nullptr ? CreateCompatibleDC(reference) : nullptr;
    if (dc_ == nullptr) {
        Release();
        return false;
    }
    originalBitmap_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    return true;
}

raster::PixelView DibCanvas::View() const {
    return {static_cast<std::uint8_t*>(bits_),
            width_,
            height_,
            std::ptrdiff_t{width_} * CanvasPixelBytes,
            CanvasPixelBytes,
            DibRed,
            DibGreen,
            DibBlue};
}

void DibCanvas::Present(HDC target, const raster::PixelBox& box) const {
    const int left = std::max(box.left, 0);
    const int top = std::max(box.top, 0);
    const int right = std::min(box.right, width_);
    const int bottom = std::min(box.bottom, height_);
    if (dc_ == nullptr || right <= left || bottom <= top) return;
    BitBlt(target, left, top, right - left, bottom - top, dc_, left, top, SRCCOPY);
}

void DibCanvas::PresentCorner(HDC target, int width, int height, int toX, int toY) const {
    if (dc_ == nullptr) return;
    BitBlt(target, toX, toY, std::min(width, width_), std::min(height, height_), dc_, 0, 0,
           SRCCOPY);
}

DibSurface::DibSurface(DibCanvas& canvas, HINSTANCE emblemModule)
    : canvas_(canvas), gdi_(canvas.Dc(), emblemModule) {}

void DibSurface::SetPen(int width, ColourValue colour) {
    thread_.reset();
    gdi_.SetPen(width, colour);
}

void DibSurface::SetThreadPen(const ThreadPen& pen) {
    thread_.emplace(pen);
}

void DibSurface::MoveTo(int x, int y) {
    currentX_ = x;
    currentY_ = y;
    gdi_.MoveTo(x, y);
}

void DibSurface::LineTo(int x, int y) {
    if (thread_) {
        GdiFlush();  // what GDI drew must be in the bits before a thread is shaded over it
        const raster::ViewPart part =
            raster::PartOf(canvas_.View(), clip_.left, clip_.top, clip_.right, clip_.bottom);
        thread_->Lay(part.view, part.left, part.top, currentX_, currentY_, x, y);
        gdi_.MoveTo(x, y);
    } else {
        gdi_.LineTo(x, y);
    }
    currentX_ = x;
    currentY_ = y;
}

void DibSurface::SetClip(const ClipRect& clip) {
    clip_ = clip;
    gdi_.SetClip(clip);
}

void DibSurface::FillRect(int left, int top, int right, int bottom, ColourValue colour) {
    gdi_.FillRect(left, top, right, bottom, colour);
}

void DibSurface::DrawLogo(int left, int top) {
    gdi_.DrawLogo(left, top);
}

void DibSurface::DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                          ColourValue background) {
    gdi_.DrawText(x, y, utf8Text, font, background);
}

}  // namespace vireluna::win32
