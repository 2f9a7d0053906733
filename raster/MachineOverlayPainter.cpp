#include "raster/MachineOverlayPainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "raster/IntegerRoot.h"

namespace vireluna::raster {
namespace {

// Lengths are in 1/SubpixelScale pixel; a pixel's centre lies half a pixel into it.
constexpr std::int64_t Unit = SubpixelScale;
constexpr std::int64_t HalfPixel = Unit / 2;

// The drawing at its full-screen size, in pixels: a foot ring around the needle point, the
// needle below its bar, lifted by LiftPixels; the spool to the upper right of the needle.
constexpr std::int64_t FootOuterRadius = 14;
constexpr std::int64_t FootInnerRadius = 9;
constexpr std::int64_t BarHalfWidth = 4;
constexpr std::int64_t BarTop = 60;     // above the needle point
constexpr std::int64_t BarBottom = 21;  // above the needle point
constexpr std::int64_t NeedleHalfWidth = 1;
constexpr std::int64_t LiftPixels = 10;
constexpr std::int64_t SpoolOffsetX = 27;  // from the needle to the spool's centre
constexpr std::int64_t SpoolOffsetY = 40;  // above the needle point
constexpr std::int64_t SpoolHalfWidth = 6;
constexpr std::int64_t SpoolHalfHeight = 9;
constexpr std::int64_t FlangeHalfWidth = 10;
constexpr std::int64_t FlangeHeight = 4;
// Around everything: the outlines and the rounding of a scaled size.
constexpr int BoundsMargin = 3;

// Steel, its dark outline and the needle's darker steel, as colour values (0x00BBGGRR).
constexpr ColourValue Steel = 0x00D2CAC4;
constexpr ColourValue SteelEdge = 0x00483F3A;
constexpr ColourValue NeedleSteel = 0x00645A55;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

// A pixel's centre, in the units of the drawing.
std::int64_t Centre(std::int64_t pixel) {
    return pixel * Unit + HalfPixel;
}

// The first pixel whose centre lies at or after u.
std::int64_t FirstPixelFrom(std::int64_t u) {
    return CeilDiv(u - HalfPixel, Unit);
}

std::uint8_t Channel(ColourValue colour, int shift) {
    return static_cast<std::uint8_t>((colour >> shift) & 0xFF);
}

ColourValue Shade(ColourValue colour, int numerator, int denominator) {
    ColourValue shaded = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int value = std::min(255, Channel(colour, shift) * numerator / denominator);
        shaded |= static_cast<ColourValue>(value) << shift;
    }
    return shaded;
}

// Where an overlay is painted: a view at (left, top) of the window, limited to the clip.
class Canvas {
  public:
    Canvas(const PixelView& view, int left, int top, const ClipRect& clip, std::uint8_t* coverage)
        : view_(view), left_(left), top_(top), coverage_(coverage) {
        clipLeft_ = std::max<std::int64_t>(left, clip.left);
        clipTop_ = std::max<std::int64_t>(top, clip.top);
        clipRight_ = std::min<std::int64_t>(std::int64_t{left} + view.width, clip.right);
        clipBottom_ = std::min<std::int64_t>(std::int64_t{top} + view.height, clip.bottom);
    }

    void Put(std::int64_t x, std::int64_t y, ColourValue colour) const {
        if (x < clipLeft_ || x >= clipRight_ || y < clipTop_ || y >= clipBottom_) return;
        Write(At(x, y), colour);
        Cover(x, y, 1);
    }

    // The pixels whose centres lie in [x0, x1) x [y0, y1), in drawing units; at least one
    // pixel across each way, so a small scale never makes a part vanish.
    void Fill(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              ColourValue colour) const {
        const std::int64_t left = FirstPixelFrom(x0);
        const std::int64_t top = FirstPixelFrom(y0);
        const std::int64_t right = std::min(std::max(FirstPixelFrom(x1), left + 1), clipRight_);
        const std::int64_t bottom = std::min(std::max(FirstPixelFrom(y1), top + 1), clipBottom_);
        const std::int64_t from = std::max(left, clipLeft_);
        for (std::int64_t y = std::max(top, clipTop_); y < bottom; ++y) {
            std::uint8_t* pixel = from < right ? At(from, y) : nullptr;
            for (std::int64_t x = from; x < right; ++x, pixel += view_.pixelBytes) {
                Write(pixel, colour);
            }
            Cover(from, y, right - from);
        }
    }

    // A box with a one-pixel outline.
    void Outlined(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                  ColourValue fill, ColourValue edge) const {
        Fill(x0 - Unit, y0 - Unit, x1 + Unit, y1 + Unit, edge);
        Fill(x0, y0, x1, y1, fill);
    }

    // A ring around (cx, cy): steel between the radii, outlined on both sides.
    void Ring(std::int64_t cx, std::int64_t cy, std::int64_t inner, std::int64_t outer) const {
        const std::int64_t reach = outer + Unit;
        const std::int64_t hole = std::max<std::int64_t>(inner - Unit, 0);
        for (std::int64_t y = std::max(FirstPixelFrom(cy - reach), clipTop_);
             y < std::min(FirstPixelFrom(cy + reach), clipBottom_); ++y) {
            const std::int64_t dy = Centre(y) - cy;
            // Only the pixels of this row that the outer edge can reach.
            const std::int64_t across = SquareRootBelow(reach * reach - dy * dy);
            for (std::int64_t x = std::max(FirstPixelFrom(cx - across), clipLeft_);
                 x < std::min(FirstPixelFrom(cx + across + 1), clipRight_); ++x) {
                const std::int64_t dx = Centre(x) - cx;
                const std::int64_t squared = dx * dx + dy * dy;
                if (squared > reach * reach || squared < hole * hole) continue;
                const bool body = squared >= inner * inner && squared <= outer * outer;
                Put(x, y, body ? Steel : SteelEdge);
            }
        }
    }

    // A straight line of square pixels `width` wide from (x0, y0) to (x1, y1), pixels.
    void Line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
              std::int64_t width, ColourValue colour) const {
        const std::int64_t dx = x1 - x0;
        const std::int64_t dy = y1 - y0;
        const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
        for (std::int64_t t = 0; t <= steps; ++t) {
            const std::int64_t x = steps == 0 ? x0 : x0 + FloorDiv(2 * dx * t + steps, 2 * steps);
            const std::int64_t y = steps == 0 ? y0 : y0 + FloorDiv(2 * dy * t + steps, 2 * steps);
            if (x + width < clipLeft_ || x - width >= clipRight_ || y + width < clipTop_ ||
                y - width >= clipBottom_) {
                continue;
            }
            for (std::int64_t wy = 0; wy < width; ++wy) {
                for (std::int64_t wx = 0; wx < width; ++wx) Put(x + wx, y + wy, colour);
            }
        }
    }

  private:
    std::uint8_t* At(std::int64_t x, std::int64_t y) const {
        return view_.At(static_cast<int>(x - left_), static_cast<int>(y - top_));
    }
    // Marks count pixels from (x, y) on as painted.
    void Cover(std::int64_t x, std::int64_t y, std::int64_t count) const {
        if (coverage_ == nullptr || count <= 0) return;
        std::uint8_t* mark = coverage_ + (y - top_) * std::int64_t{view_.width} + (x - left_);
        std::fill(mark, mark + count, std::uint8_t{1});
    }
    void Write(std::uint8_t* pixel, ColourValue colour) const {
        pixel[view_.redOffset] = Channel(colour, 0);
        pixel[view_.greenOffset] = Channel(colour, 8);
        pixel[view_.blueOffset] = Channel(colour, 16);
    }

    const PixelView& view_;
    int left_;
    int top_;
    std::uint8_t* coverage_;
    std::int64_t clipLeft_;
    std::int64_t clipTop_;
    std::int64_t clipRight_;
    std::int64_t clipBottom_;
};

// The overlay's measures at its scale, around the needle point's centre.
struct Layout {
    std::int64_t scale;
    std::int64_t cx;
    std::int64_t cy;    // the needle point, lowered back when lifted: the foot's centre
    std::int64_t lift;  // how far the needle and foot are raised

    std::int64_t Of(std::int64_t pixels) const { return pixels * scale; }
    std::int64_t Top() const { return cy - lift; }
};

Layout LayoutOf(const MachineOverlay& overlay) {
    const std::int64_t scale = std::max(overlay.scale, 1);
    return {scale, Centre(overlay.needle.x), Centre(overlay.needle.y),
            overlay.lifted ? LiftPixels * scale : 0};
}

// The needle's point in pixels: where the travel thread ends.
std::int64_t NeedleTipY(const Layout& layout) {
    return FloorDiv(layout.Top(), Unit);
}

std::int64_t ThreadWidth(const MachineOverlay& overlay) {
    return std::max<std::int64_t>(1, overlay.scale / Unit);
}

void PaintOne(const Canvas& canvas, const MachineOverlay& overlay) {
    const Layout at = LayoutOf(overlay);
    const std::int64_t top = at.Top();
    // The foot first: the travel thread runs over it into the needle.
    canvas.Ring(at.cx, top, at.Of(FootInnerRadius), at.Of(FootOuterRadius));
    if (overlay.travel) {
        // A darker edge below the thread keeps it visible over stitches of its own colour.
        const std::int64_t width = ThreadWidth(overlay);
        canvas.Line(overlay.travelFrom.x, overlay.travelFrom.y + width, overlay.needle.x,
                    NeedleTipY(at) + width, width, Shade(overlay.thread, 1, 2));
        canvas.Line(overlay.travelFrom.x, overlay.travelFrom.y, overlay.needle.x, NeedleTipY(at),
                    width, overlay.thread);
    }
    // The needle bar, and the needle from it down to the point.
    canvas.Outlined(at.cx - at.Of(BarHalfWidth), top - at.Of(BarTop), at.cx + at.Of(BarHalfWidth),
                    top - at.Of(BarBottom), Steel, SteelEdge);
    canvas.Fill(at.cx - at.Of(NeedleHalfWidth), top - at.Of(BarBottom),
                at.cx + at.Of(NeedleHalfWidth), top + HalfPixel, NeedleSteel);
    if (overlay.spool) {
        const std::int64_t sx = at.cx + at.Of(SpoolOffsetX);
        const std::int64_t sy = top - at.Of(SpoolOffsetY);
        const std::int64_t bodyTop = sy - at.Of(SpoolHalfHeight);
        const std::int64_t bodyBottom = sy + at.Of(SpoolHalfHeight);
        canvas.Outlined(sx - at.Of(SpoolHalfWidth), bodyTop, sx + at.Of(SpoolHalfWidth), bodyBottom,
                        overlay.spoolColour, SteelEdge);
        // A rounder body: its sides darker, a highlight left of its middle.
        canvas.Fill(sx - at.Of(SpoolHalfWidth), bodyTop, sx - at.Of(SpoolHalfWidth) + Unit,
                    bodyBottom, Shade(overlay.spoolColour, 3, 4));
        canvas.Fill(sx + at.Of(SpoolHalfWidth) - Unit, bodyTop, sx + at.Of(SpoolHalfWidth),
                    bodyBottom, Shade(overlay.spoolColour, 3, 4));
        canvas.Fill(sx - at.Of(SpoolHalfWidth) / 2, bodyTop, sx - at.Of(SpoolHalfWidth) / 2 + Unit,
                    bodyBottom, Shade(overlay.spoolColour, 5, 4));
        for (const std::int64_t flangeTop : {bodyTop - at.Of(FlangeHeight), bodyBottom}) {
            canvas.Outlined(sx - at.Of(FlangeHalfWidth), flangeTop, sx + at.Of(FlangeHalfWidth),
                            flangeTop + at.Of(FlangeHeight), Steel, SteelEdge);
        }
    }
}

PixelBox Clamped(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    const auto fit = [](std::int64_t value) {
        return static_cast<int>(
            std::clamp<std::int64_t>(value, -(std::int64_t{1} << 30), std::int64_t{1} << 30));
    };
    return {fit(left), fit(top), fit(right), fit(bottom)};
}

}  // namespace

PixelBox OverlayBounds(const MachineOverlay& overlay) {
    if (!overlay.shown) return {};
    const Layout at = LayoutOf(overlay);
    const std::int64_t top = at.Top();
    std::int64_t left = FloorDiv(at.cx - at.Of(FootOuterRadius), Unit);
    std::int64_t right =
        CeilDiv(at.cx + at.Of(std::max(FootOuterRadius, SpoolOffsetX + FlangeHalfWidth)), Unit);
    std::int64_t upper = FloorDiv(
        top - at.Of(std::max(BarTop, SpoolOffsetY + SpoolHalfHeight + FlangeHeight)), Unit);
    std::int64_t lower = CeilDiv(top + at.Of(FootOuterRadius), Unit);
    if (overlay.travel) {
        const std::int64_t width = ThreadWidth(overlay);
        left = std::min<std::int64_t>(left, overlay.travelFrom.x);
        right = std::max<std::int64_t>(right, std::int64_t{overlay.travelFrom.x} + width);
        upper = std::min<std::int64_t>(upper, overlay.travelFrom.y);
        lower = std::max<std::int64_t>(lower, std::int64_t{overlay.travelFrom.y} + 2 * width);
    }
    const PixelBox box = Clamped(left - BoundsMargin, upper - BoundsMargin,
                                 right + BoundsMargin + 1, lower + BoundsMargin + 1);
    return Intersection(
        box, Clamped(overlay.clip.left, overlay.clip.top, overlay.clip.right, overlay.clip.bottom));
}

void PaintOverlays(const PixelView& view, int left, int top,
                   std::span<const MachineOverlay> overlays, std::uint8_t* coverage) {
    for (const MachineOverlay& overlay : overlays) {
        if (!overlay.shown) continue;
        PaintOne(Canvas(view, left, top, overlay.clip, coverage), overlay);
    }
}

}  // namespace vireluna::raster
