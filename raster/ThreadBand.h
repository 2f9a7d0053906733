#pragma once

#include <array>
#include <cstdint>

#include "core/ports/Surface.h"
#include "raster/PixelView.h"

namespace vireluna::raster {

// Lays stitches as thread: a band of the thread's width with antialiased edges, lit along
// its centre line and darker toward its edges and toward both needle holes, over a soft
// shadow offset down and to the right. The shadow darkens the plain field to a fixed ramp
// of shades, taking the darkest that falls on a pixel, so overlapping shadows never pile
// up on the fabric; on thread or anything else already drawn it darkens a little more.
// Integer arithmetic throughout: every build gives the same pixels.
class ThreadBand {
  public:
    explicit ThreadBand(const ThreadPen& pen);

    // How far from the centre line, in whole pixels, a stitch may change pixels.
    int Reach() const { return reach_; }
    // The stitch between two pixel centres of a picture, of which view shows the part from
    // (viewLeft, viewTop) on. Returns the pixels of the view it may have changed. A pixel's
    // value does not depend on which part of the picture the view shows.
    PixelBox Lay(const PixelView& view, int viewLeft, int viewTop, int x0, int y0, int x1,
                 int y1) const;

    // The shadow ramp on the field: shade k is the field darkened so that its brightest
    // channel drops by k.
    static constexpr int MaxShadeSteps = 256;

  private:
    struct Rgb {
        int red;
        int green;
        int blue;
    };
    struct Segment;

    void LayShadow(const PixelView& view, const Segment& segment, const PixelBox& box) const;
    void LayThread(const PixelView& view, const Segment& segment, const PixelBox& box) const;
    void Shadow(std::uint8_t* pixel, int alpha, const PixelView& view) const;

    int halfWidth_;  // 1/256 pixel
    int shadowDx_;   // offset of the shadow, 1/256 pixel
    int shadowDy_;
    int shadowSoft_;  // width of the shadow's blurred edge, 1/256 pixel
    int holeLength_;  // how far from each end the needle holes darken the band, 1/256 pixel
    int reach_;       // whole pixels
    Rgb thread_;
    int fieldBrightest_;
    int deepestShade_;
    std::array<Rgb, MaxShadeSteps> shades_{};
};

}  // namespace vireluna::raster
