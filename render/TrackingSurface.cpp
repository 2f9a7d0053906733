#include "render/TrackingSurface.h"

#include <algorithm>
#include <cstdlib>

#include "presentation/Overlays.h"

namespace vireluna::raster {
namespace {
// Beyond its nominal width a wide pen may round a pixel further out on either side.
constexpr int PenSlack = 2;
// A text line's ink stays within this many character heights below its top, and an italic
// glyph leans at most one height to the left of its origin.
constexpr int TextHeightsBelow = 2;
}  // namespace

void TrackingSurface::SetPen(int width, ColourValue colour) {
    penWidth_ = width;
    target_.SetPen(width, colour);
}

void TrackingSurface::MoveTo(int x, int y) {
    currentX_ = x;
    currentY_ = y;
    target_.MoveTo(x, y);
}

void TrackingSurface::LineTo(int x, int y) {
    const long reach = std::max(penWidth_, 1) + PenSlack;
    const long left = std::min(currentX_, x) - reach;
    const long top = std::min(currentY_, y) - reach;
    const long right = std::max(currentX_, x) + reach + 1;
    const long bottom = std::max(currentY_, y) + reach + 1;
    changed_.Add(static_cast<int>(std::clamp<long>(left, -1, 1L << 30)),
                 static_cast<int>(std::clamp<long>(top, -1, 1L << 30)),
                 static_cast<int>(std::clamp<long>(right, -1, 1L << 30)),
                 static_cast<int>(std::clamp<long>(bottom, -1, 1L << 30)));
    currentX_ = x;
    currentY_ = y;
    target_.LineTo(x, y);
}

void TrackingSurface::FillRect(int left, int top, int right, int bottom, ColourValue colour) {
    changed_.Add(left, top, right, bottom);
    target_.FillRect(left, top, right, bottom, colour);
}

void TrackingSurface::DrawLogo(int left, int top) {
    changed_.Add(left, top, left + LogoWidth, top + LogoHeight);
    target_.DrawLogo(left, top);
}

void TrackingSurface::DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                               ColourValue background) {
    // The text's width depends on the face; everything right of it is a safe bound.
    const int height = std::abs(font.height) + 1;
    changed_.Add(x - height, y - height, 1 << 30, y + TextHeightsBelow * height);
    target_.DrawText(x, y, utf8Text, font, background);
}

}  // namespace vireluna::raster
