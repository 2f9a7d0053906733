#include "raster/TileSurface.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "raster/ChangedBox.h"
#include "raster/ThreadBand.h"

namespace vireluna::raster {
namespace {

// Beyond the pen's reach: the divisions' rounding, and a thread's far ends moved to whole
// pixels where they are cut.
constexpr int LineSlack = 2;

// The columns where a line between two pixel centres, drawn by a pen of this reach, may change
// pixels of rows [top, bottom): those near the stretch of it within reach of these rows.
raster::PixelBox LineWithinRows(int x0, int y0, int x1, int y1, int reach, int top, int bottom) {
    const std::int64_t fromY = std::max<std::int64_t>(std::min(y0, y1), std::int64_t{top} - reach);
    const std::int64_t toY =
        std::min<std::int64_t>(std::max(y0, y1), std::int64_t{bottom} - 1 + reach);
    if (fromY > toY) return {};
    double left = std::min(x0, x1);
    double right = std::max(x0, x1);
    if (y0 != y1) {
        // Doubles: the products of two int spans need not fit in 64 bits; the slack covers
        // their rounding.
        const double slope = (static_cast<double>(x1) - x0) / (static_cast<double>(y1) - y0);
        const double atFrom = x0 + slope * static_cast<double>(fromY - y0);
        const double atTo = x0 + slope * static_cast<double>(toY - y0);
        left = std::min(atFrom, atTo);
        right = std::max(atFrom, atTo);
    }
    const auto column = [](double x) {
        return static_cast<int>(std::clamp<double>(x, -(1 << 30), 1 << 30));
    };
    return {column(left - reach - LineSlack), top, column(right + reach + LineSlack + 1), bottom};
}

}  // namespace

TileSurface::TileSurface(const RasterImage& logo, PictureStore& store, int width, int height)
    : logo_(logo), store_(store), surface_(work_, logo_), width_(width), height_(height) {}

void TileSurface::SetPen(int width, ColourValue colour) {
    reach_ = raster::FlatPenReach(width);
    surface_.SetPen(width, colour);
}

void TileSurface::SetThreadPen(const ThreadPen& pen) {
    reach_ = raster::ThreadBand(pen).Reach();
    surface_.SetThreadPen(pen);
}

void TileSurface::MoveTo(int x, int y) {
    currentX_ = x;
    currentY_ = y;
}

void TileSurface::LineTo(int x, int y) {
    const int fromX = currentX_;
    const int fromY = currentY_;
    const auto draw = [&] {
        surface_.MoveTo(fromX, fromY);
        surface_.LineTo(x, y);
    };
    // Only the tiles the line crosses: a long diagonal crosses few of the tiles of its
    // bounding box, and each tile costs a read and a write-back.
    const raster::PixelBox box = Visible(raster::AroundLine(fromX, fromY, x, y, reach_));
    for (int top = FirstTileStart(box.top); top < box.bottom; top += TileSide) {
        const raster::PixelBox rows{box.left, std::max(top, box.top), box.right,
                                    std::min(top + TileSide, box.bottom)};
        DrawOverRow(raster::Intersection(
                        rows, LineWithinRows(fromX, fromY, x, y, reach_, rows.top, rows.bottom)),
                    draw);
    }
    currentX_ = x;
    currentY_ = y;
}

void TileSurface::FillRect(int left, int top, int right, int bottom, ColourValue colour) {
    const raster::PixelBox filled = Visible({left, top, right, bottom});
    if (filled.Empty()) return;
    // One request to the store, however large; the tiles held are filled alike, so they
    // stay what the store holds without being read again.
    const Rgb rgb = RgbOfColourValue(colour);
    store_.Fill(filled, rgb);
    Park();
    for (Tile& tile : tiles_) {
        const raster::PixelBox part = raster::Intersection(filled, tile.held);
        tile.image.ClearClip();  // the fill is clipped already; a tile keeps the clip it had
        tile.image.FillRect(part.left - tile.held.left, part.top - tile.held.top,
                            part.right - tile.held.left, part.bottom - tile.held.top, rgb);
    }
}

void TileSurface::DrawLogo(int left, int top) {
    DrawOver({left, top, left + LogoWidth, top + LogoHeight},
             [&] { surface_.DrawLogo(left, top); });
}

void TileSurface::DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                           ColourValue background) {
    DrawOver(raster::AroundText(x, y, font.height),
             [&] { surface_.DrawText(x, y, utf8Text, font, background); });
}

void TileSurface::SetClip(const ClipRect& clip) {
    clip_ = clip;
    surface_.SetClip(clip);
}

raster::PixelBox TileSurface::Visible(const raster::PixelBox& box) const {
    const raster::PixelBox clip{clip_.left, clip_.top, clip_.right, clip_.bottom};
    return raster::Intersection(raster::Intersection(box, clip), {0, 0, width_, height_});
}

template <typename Draw>
void TileSurface::DrawOver(raster::PixelBox box, const Draw& draw) {
    box = Visible(box);
    for (int top = FirstTileStart(box.top); top < box.bottom; top += TileSide) {
        DrawOverRow(
            {box.left, std::max(top, box.top), box.right, std::min(top + TileSide, box.bottom)},
            draw);
    }
}

template <typename Draw>
void TileSurface::DrawOverRow(const raster::PixelBox& part, const Draw& draw) {
    if (part.Empty()) return;
    const int top = FirstTileStart(part.top);
    for (int left = FirstTileStart(part.left); left < part.right; left += TileSide) {
        const raster::PixelBox square{left, top, std::min(left + TileSide, width_),
                                      std::min(top + TileSide, height_)};
        Use(square);
        draw();
        raster::PixelBox& dirty = tiles_[current_].dirty;
        dirty = raster::Union(dirty, raster::Intersection(part, square));
    }
}

int TileSurface::FirstTileStart(int coordinate) {
    return coordinate / TileSide * TileSide;
}

void TileSurface::Park() {
    if (working_) std::swap(work_, tiles_[current_].image);
    working_ = false;
}

void TileSurface::Use(const raster::PixelBox& square) {
    std::size_t index = 0;
    while (index < tiles_.size() &&
           (tiles_[index].held.left != square.left || tiles_[index].held.top != square.top)) {
        ++index;
    }
    if (index == tiles_.size()) {
        Park();
        if (tiles_.size() >= MaxTiles) {
            std::size_t oldest = 0;
            for (std::size_t i = 1; i < tiles_.size(); ++i) {
                if (tiles_[i].lastUse < tiles_[oldest].lastUse) oldest = i;
            }
            WriteBack(tiles_[oldest]);
            tiles_.erase(tiles_.begin() + static_cast<std::ptrdiff_t>(oldest));
            index = tiles_.size();
        }
        Tile tile;
        tile.image = RasterImage(square.right - square.left, square.bottom - square.top);
        tile.held = square;
        if (!store_.Read(square, tile.image)) lost_ = true;
        tiles_.push_back(std::move(tile));
    }
    tiles_[index].lastUse = ++uses_;
    if (working_ && current_ == index) return;
    Park();
    std::swap(work_, tiles_[index].image);
    current_ = index;
    working_ = true;
    // Also sets the clip on the tile again: a fill clears a held tile's clip.
    surface_.SetOrigin(square.left, square.top);
}

void TileSurface::WriteBack(Tile& tile) {
    if (tile.dirty.Empty()) return;
    const bool drawnOn = working_ && &tile == &tiles_[current_];
    const raster::PixelBox& held = tile.held;
    store_.Write(drawnOn ? work_ : tile.image,
                 {tile.dirty.left - held.left, tile.dirty.top - held.top,
                  tile.dirty.right - held.left, tile.dirty.bottom - held.top},
                 tile.dirty.left, tile.dirty.top);
    tile.dirty = {};
}

void TileSurface::WriteBack() {
    for (Tile& tile : tiles_) WriteBack(tile);
}

void TileSurface::Restart(int width, int height) {
    width_ = width;
    height_ = height;
    tiles_.clear();
    work_ = RasterImage();
    working_ = false;
}

bool TileSurface::TakeLoss() {
    const bool lost = lost_;
    lost_ = false;
    return lost;
}

std::int64_t TileSurface::HeldPixelCount() const {
    std::int64_t pixels = 0;
    for (const Tile& tile : tiles_) {
        pixels +=
            std::int64_t{tile.held.right - tile.held.left} * (tile.held.bottom - tile.held.top);
    }
    return pixels;
}

}  // namespace vireluna::raster
