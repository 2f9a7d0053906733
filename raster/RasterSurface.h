#pragma once

#include <memory>

#include "core/ports/Surface.h"
#include "raster/RasterImage.h"

namespace vireluna::raster {

// The RGB of a colour value.
Rgb RgbOfColourValue(ColourValue colour);

// A Surface over a RasterImage: pens drawn like a display's wide pens, or threads laid as
// shaded bands, rectangle
// fills, the logo copied unscaled, text through FreeType with a fontconfig face.
class RasterSurface : public Surface {
  public:
    // target and logo must outlive the surface.
    RasterSurface(RasterImage& target, const RasterImage& logo, int verticalDpi = 96);
    ~RasterSurface() override;

    void SetPen(int width, ColourValue colour) override;
    void SetThreadPen(const ThreadPen& pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom, ColourValue colour) override;
    void DrawLogo(int left, int top) override;
    void DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                  ColourValue background) override;
    void SetClip(const ClipRect& clip) override;
    int VerticalDpi() const override;

    // The target holds the part of a larger picture from (left, top) on: from now on the
    // drawing calls and the clip take the picture's coordinates (at first the target's own,
    // an origin of (0, 0)). Sets the clip on the target again, as after a change of target.
    void SetOrigin(int left, int top);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vireluna::raster
