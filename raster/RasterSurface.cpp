#include "raster/RasterSurface.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "raster/TextPainter.h"
#include "raster/ThreadBand.h"
#include "raster/WidePen.h"

namespace vireluna::raster {

namespace {

constexpr int kByteBits = 8;
constexpr ColourValue kByteMask = 0xFF;

// A picture coordinate in the target's frame, kept within int.
int Shifted(int value, int by) {
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{value} - by,
                                                     std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

// A colour value keeps red in its lowest byte; the top byte is a flag with no colour in it.
Rgb RgbOfColourValue(ColourValue colour) {
    return {static_cast<std::uint8_t>(colour & kByteMask),
            static_cast<std::uint8_t>((colour >> kByteBits) & kByteMask),
            static_cast<std::uint8_t>((colour >> (2 * kByteBits)) & kByteMask)};
}

struct RasterSurface::Impl {
    Impl(RasterImage& target, const RasterImage& logo, int verticalDpi)
        : target(target), logo(logo), verticalDpi(verticalDpi) {}

    RasterImage& target;
    const RasterImage& logo;
    int verticalDpi;
    WidePen pen;
    Rgb penColour{0, 0, 0};
    std::optional<raster::ThreadBand> thread;  // while a thread is the current pen
    PixelPoint current{0, 0};                  // the picture's coordinates
    TextPainter text;
    PixelPoint origin{0, 0};    // where the target lies in the picture
    ClipRect clip = Unclipped;  // the picture's coordinates

    int TargetX(int x) const { return Shifted(x, origin.x); }
    int TargetY(int y) const { return Shifted(y, origin.y); }
};

RasterSurface::RasterSurface(RasterImage& target, const RasterImage& logo, int verticalDpi)
    : impl_(std::make_unique<Impl>(target, logo, verticalDpi)) {}

RasterSurface::~RasterSurface() = default;

void RasterSurface::SetPen(int width, ColourValue colour) {
    if (width != impl_->pen.Width()) impl_->pen = WidePen(width);
    impl_->penColour = RgbOfColourValue(colour);
    impl_->thread.reset();
}

void RasterSurface::SetThreadPen(const ThreadPen& pen) {
    impl_->thread.emplace(pen);
}

void RasterSurface::MoveTo(int x, int y) {
    impl_->current = {x, y};
}

void RasterSurface::LineTo(int x, int y) {
    const PixelPoint end{x, y};
    if (impl_->thread) {
        // The band sees only the clip, as a picture of its own with its corner at the clip's.
        RasterImage& target = impl_->target;
        const raster::PixelView whole{target.MutableBytes(), target.Width(), target.Height(),
                                      std::ptrdiff_t{target.Width()} * RasterImage::PixelBytes};
        const raster::ViewPart part = raster::PartOf(whole, target.ClipLeft(), target.ClipTop(),
                                                     target.ClipRight(), target.ClipBottom());
        impl_->thread->Lay(part.view, impl_->origin.x + part.left, impl_->origin.y + part.top,
                           impl_->current.x, impl_->current.y, x, y);
    } else {
        impl_->pen.DrawLine(impl_->target,
                            {impl_->TargetX(impl_->current.x), impl_->TargetY(impl_->current.y)},
                            {impl_->TargetX(x), impl_->TargetY(y)}, impl_->penColour);
    }
    impl_->current = end;
}

void RasterSurface::FillRect(int left, int top, int right, int bottom, ColourValue colour) {
    impl_->target.FillRect(impl_->TargetX(left), impl_->TargetY(top), impl_->TargetX(right),
                           impl_->TargetY(bottom), RgbOfColourValue(colour));
}

void RasterSurface::DrawLogo(int pictureLeft, int pictureTop) {
    const int left = impl_->TargetX(pictureLeft);
    const int top = impl_->TargetY(pictureTop);
    const RasterImage& logo = impl_->logo;
    RasterImage& target = impl_->target;
    // Only the logo pixels that land inside the target, worked out in 64 bits.
    const std::int64_t firstX = std::max<std::int64_t>(0, -std::int64_t{left});
    const std::int64_t firstY = std::max<std::int64_t>(0, -std::int64_t{top});
    const std::int64_t endX =
        std::min<std::int64_t>(logo.Width(), target.Width() - std::int64_t{left});
    const std::int64_t endY =
        std::min<std::int64_t>(logo.Height(), target.Height() - std::int64_t{top});
    for (std::int64_t y = firstY; y < endY; ++y) {
        for (std::int64_t x = firstX; x < endX; ++x) {
            target.SetPixel(static_cast<int>(left + x), static_cast<int>(top + y),
                            logo.PixelAt(static_cast<int>(x), static_cast<int>(y)));
        }
    }
}

void RasterSurface::DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                             ColourValue background) {
    impl_->text.Draw(impl_->target, impl_->TargetX(x), impl_->TargetY(y), utf8Text, font,
                     RgbOfColourValue(background));
}

void RasterSurface::SetClip(const ClipRect& clip) {
    impl_->clip = clip;
    impl_->target.SetClip(impl_->TargetX(clip.left), impl_->TargetY(clip.top),
                          impl_->TargetX(clip.right), impl_->TargetY(clip.bottom));
}

void RasterSurface::SetOrigin(int left, int top) {
    impl_->origin = {left, top};
    SetClip(impl_->clip);
}

int RasterSurface::VerticalDpi() const {
    return impl_->verticalDpi;
}

}  // namespace vireluna::raster
