#pragma once

#include <windows.h>

#include "core/ports/Surface.h"

namespace vireluna::win32 {

// The saver's drawing on a GDI device context: pens, fills, the emblem bitmap and the notice
// text. Pens live until the next SetPen or the end of the surface; every other GDI object is
// made and deleted within the call that uses it. The context stays the caller's.
class GdiSurface final : public Surface {
  public:
    // emblemModule: the program whose bitmap resource 132 is the emblem.
    GdiSurface(HDC dc, HINSTANCE emblemModule);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface&) = delete;
    GdiSurface& operator=(const GdiSurface&) = delete;

    void SetPen(int width, ColourValue colour) override;
    // GDI cannot shade: a thread is drawn as a solid line of its width, rounded.
    void SetThreadPen(const ThreadPen& pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom, ColourValue colour) override;
    void DrawLogo(int left, int top) override;
    void DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                  ColourValue background) override;
    void SetClip(const ClipRect& clip) override;
    int VerticalDpi() const override;

  private:
    void DropPen();

    HDC dc_;
    HINSTANCE emblemModule_;
    HPEN pen_ = nullptr;             // the pen this surface made, while it is selected
    HGDIOBJ originalPen_ = nullptr;  // the context's own pen, put back before ours is deleted
};

}  // namespace vireluna::win32
