#include "drivers/win32/GdiSurface.h"

#include "resources/win32/ResourceIds.h"
#include "systems/win32/WideText.h"

namespace vireluna::win32 {

GdiSurface::GdiSurface(HDC dc, HINSTANCE emblemModule) : dc_(dc), emblemModule_(emblemModule) {}

GdiSurface::~GdiSurface() {
    DropPen();
}

void GdiSurface::DropPen() {
    if (pen_ == nullptr) return;
    SelectObject(dc_, originalPen_);
    DeleteObject(pen_);
    pen_ = nullptr;
    originalPen_ = nullptr;
}

void GdiSurface::SetPen(int width, ColourValue colour) {
    // The colour value goes to the pen as it stands, its 0x02 top byte included.
    HPEN pen = CreatePen(PS_SOLID, width, static_cast<COLORREF>(colour));
    if (pen == nullptr) return;
    HGDIOBJ previous = SelectObject(dc_, pen);
    if (pen_ != nullptr) {
        DeleteObject(pen_);  // ours, no longer selected
    } else {
        originalPen_ = previous;
    }
    pen_ = pen;
}

void GdiSurface::SetThreadPen(const ThreadPen& pen) {
    SetPen((pen.width + SubpixelScale / 2) / SubpixelScale, pen.colour);
}

void GdiSurface::MoveTo(int x, int y) {
    MoveToEx(dc_, x, y, nullptr);
}

void GdiSurface::LineTo(int x, int y) {
    ::LineTo(dc_, x, y);
}

void GdiSurface::FillRect(int left, int top, int right, int bottom, ColourValue colour) {
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colour));
    if (brush == nullptr) return;
    SetBrushOrgEx(dc_, 0, 0, nullptr);
    HGDIOBJ previous = SelectObject(dc_, brush);
    PatBlt(dc_, left, top, right - left, bottom - top, PATCOPY);
    SelectObject(dc_, previous);
    DeleteObject(brush);
}

void GdiSurface::DrawLogo(int left, int top) {
    HBITMAP emblem = LoadBitmapW(emblemModule_, MAKEINTRESOURCEW(IDB_EMBLEM));
    if (emblem == nullptr) return;
    HDC memory = CreateCompatibleDC(dc_);
    if (memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, emblem);
        BitBlt(dc_, left, top, LogoWidth, LogoHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    DeleteObject(emblem);
}

void GdiSurface::DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                          ColourValue background) {
    LOGFONTW description{};
    description.lfHeight = font.height;
    description.lfWeight = font.weight;
    description.lfItalic = font.italic ? TRUE : FALSE;
    description.lfCharSet = static_cast<BYTE>(font.charSet);
    const std::wstring face = Wide(font.face);
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectW(&description);
    if (handle == nullptr) return;
    HGDIOBJ previous = SelectObject(dc_, handle);
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, static_cast<COLORREF>(background));
    const std::wstring text = Wide(utf8Text);
    TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc_, previous);
    DeleteObject(handle);
}

void GdiSurface::SetClip(const ClipRect& clip) {
    // The context's own clipping (a repaint's update region) stays; only ours is replaced.
    SelectClipRgn(dc_, nullptr);
    if (clip != Unclipped) IntersectClipRect(dc_, clip.left, clip.top, clip.right, clip.bottom);
}

int GdiSurface::VerticalDpi() const {
    return GetDeviceCaps(dc_, LOGPIXELSY);
}

}  // namespace vireluna::win32
