#pragma once

#include <vector>

#include "raster/LineWalk.h"
#include "raster/RasterImage.h"
#include "raster/RoundCap.h"

namespace vireluna::raster {

// A solid pen drawn the way the display draws its pens.
// Width 1 is a one-pixel line that includes its start point and leaves out its end point,
// so a chain of lines draws every vertex exactly once and the chain's last point not at all.
// A wider pen paints a region: a round cap on each end point (a dot when the two coincide) and
// the band between them, a rectangle for a level or upright line and otherwise the four-sided
// band whose two halves reach across the line by rounded fractions of the width.
class WidePen {
  public:
    static constexpr int kMaxWidth = 64;  // wider requests are drawn this wide

    explicit WidePen(int width = 1);
    int Width() const { return width_; }
    void DrawLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const;

  private:
    void DrawThinLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const;
    void DrawBand(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const;
    void DrawCap(RasterImage& image, PixelPoint centre, Rgb colour) const;

    int width_;
    std::vector<ShapeRow> cap_;
};

}  // namespace vireluna::raster
