#include "raster/TrackingSurface.h"

#include "raster/ChangedBox.h"
#include "raster/ThreadBand.h"

namespace vireluna::raster {

void TrackingSurface::SetPen(int width, ColourValue colour) {
    reach_ = raster::FlatPenReach(width);
    target_.SetPen(width, colour);
}

void TrackingSurface::SetThreadPen(const ThreadPen& pen) {
    reach_ = raster::ThreadBand(pen).Reach();
    target_.SetThreadPen(pen);
}

void TrackingSurface::MoveTo(int x, int y) {
    currentX_ = x;
    currentY_ = y;
    target_.MoveTo(x, y);
}

void TrackingSurface::LineTo(int x, int y) {
    const raster::PixelBox box = raster::AroundLine(currentX_, currentY_, x, y, reach_);
    changed_.Add(box.left, box.top, box.right, box.bottom);
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
    const raster::PixelBox box = raster::AroundText(x, y, font.height);
    changed_.Add(box.left, box.top, box.right, box.bottom);
    target_.DrawText(x, y, utf8Text, font, background);
}

}  // namespace vireluna::raster
