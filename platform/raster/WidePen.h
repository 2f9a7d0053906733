#pragma once

#include <vector>

#include "platform/raster/LineWalk.h"
#include "platform/raster/RasterImage.h"

namespace vireluna::raster {

// A solid pen drawn the way a display draws its pens.
// Width 1 is a one-pixel line that includes its start point and leaves out its end point,
// so a chain of lines draws every vertex exactly once and the chain's last point not at all.
// Wider pens stamp a filled disc of that diameter on every pixel of the path, both end points
// included: the ends come out round and consecutive lines join without a gap.
class WidePen {
  public:
    static constexpr int kMaxWidth = 64;  // wider requests are drawn this wide

    explicit WidePen(int width = 1);
    int Width() const { return width_; }
    void DrawLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const;

  private:
    struct Span {
        int dy;
        int dxFirst;
        int dxLast;
    };

    void DrawThinLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const;
    void DrawDiscLine(RasterImage& image, PixelPoint from, PixelPoint to, Rgb colour) const;
    void Stamp(RasterImage& image, PixelPoint centre, Rgb colour) const;

    int width_;
    int reach_ = 0;                     // the farthest pixel of the disc from its centre
    bool fillDiagonalCorners_ = false;  // walk a 4-connected path
    std::vector<Span> disc_;
};

}  // namespace vireluna::raster
