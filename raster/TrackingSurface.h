#pragma once

#include "core/ports/Surface.h"
#include "raster/ChangedArea.h"

namespace vireluna::raster {

// Draws through another surface and notes a rectangle that holds every pixel it may have
// touched, so the window gets only the changed part of the picture.
class TrackingSurface : public Surface {
  public:
    TrackingSurface(Surface& target, ChangedArea& changed) : target_(target), changed_(changed) {}

    void SetPen(int width, ColourValue colour) override;
    void SetThreadPen(const ThreadPen& pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom, ColourValue colour) override;
    void DrawLogo(int left, int top) override;
    void DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                  ColourValue background) override;
    void SetClip(const ClipRect& clip) override { target_.SetClip(clip); }
    int VerticalDpi() const override { return target_.VerticalDpi(); }

  private:
    Surface& target_;
    ChangedArea& changed_;
    int reach_ = 1;  // how far from a line's centre the current pen may change pixels
    int currentX_ = 0;
    int currentY_ = 0;
};

}  // namespace vireluna::raster
