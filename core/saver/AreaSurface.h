#pragma once

#include "core/ports/Surface.h"
#include "core/saver/MonitorLayout.h"

namespace vireluna {

// One monitor's part of a surface that spans several: its origin is the monitor's corner and
// nothing reaches past the monitor's edges, so a run draws as it would on a screen of its own.
class AreaSurface final : public Surface {
  public:
    AreaSurface(Surface& whole, const MonitorRect& area) : whole_(whole), area_(area) {
        whole_.SetClip(ToWhole({0, 0, area.width, area.height}));
    }
    ~AreaSurface() override { whole_.SetClip(Unclipped); }
    AreaSurface(const AreaSurface&) = delete;
    AreaSurface& operator=(const AreaSurface&) = delete;

    void SetPen(int width, ColourValue colour) override { whole_.SetPen(width, colour); }
    void SetThreadPen(const ThreadPen& pen) override { whole_.SetThreadPen(pen); }
    void MoveTo(int x, int y) override { whole_.MoveTo(X(x), Y(y)); }
    void LineTo(int x, int y) override { whole_.LineTo(X(x), Y(y)); }
    void FillRect(int left, int top, int right, int bottom, ColourValue colour) override {
        whole_.FillRect(X(left), Y(top), X(right), Y(bottom), colour);
    }
    void DrawLogo(int left, int top) override { whole_.DrawLogo(X(left), Y(top)); }
    void DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                  ColourValue background) override {
        whole_.DrawText(X(x), Y(y), utf8Text, font, background);
    }
    // Within the monitor: a clip never widens the area.
    void SetClip(const ClipRect& clip) override;
    int VerticalDpi() const override { return whole_.VerticalDpi(); }

  private:
    int X(int x) const { return Shift(x, area_.left); }
    int Y(int y) const { return Shift(y, area_.top); }
    // Saturating: a coordinate far off the monitor stays far off, never wraps onto it.
    static int Shift(int value, int by);
    ClipRect ToWhole(const ClipRect& clip) const {
        return {X(clip.left), Y(clip.top), X(clip.right), Y(clip.bottom)};
    }

    Surface& whole_;
    MonitorRect area_;
};

}  // namespace vireluna
