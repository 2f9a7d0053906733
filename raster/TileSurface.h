#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/ports/Surface.h"
#include "raster/PictureStore.h"
#include "raster/PixelView.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"

namespace vireluna::raster {

// Draws on a picture kept in a PictureStore through a few small parts of it held in memory:
// tiles, the squares of a fixed grid, read from the store when a call first touches them and
// given back (their changes written) when the least recently used must make room. A call is
// drawn on every tile it touches, each time confined to that tile. The pixels are those of
// drawing on the whole picture in memory, as every drawing call sets each pixel from that
// pixel's own value and the call alone, given in the picture's coordinates whatever tile is
// drawn on; the grid keeps every pixel in one tile.
class TileSurface : public Surface {
  public:
    // 128 x 128 pixels (48 KiB) a tile, 16 of them at most: a design being stitched keeps
    // its tiles, on each monitor, while the erase and the notice pass through.
    static constexpr int TileSide = 128;
    static constexpr std::size_t MaxTiles = 16;

    // store holds a picture of width x height; logo and store must outlive the surface.
    TileSurface(const RasterImage& logo, PictureStore& store, int width, int height);

    void SetPen(int width, ColourValue colour) override;
    void SetThreadPen(const ThreadPen& pen) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void FillRect(int left, int top, int right, int bottom, ColourValue colour) override;
    void DrawLogo(int left, int top) override;
    void DrawText(int x, int y, std::string_view utf8Text, const FontSpec& font,
                  ColourValue background) override;
    void SetClip(const ClipRect& clip) override;
    int VerticalDpi() const override { return surface_.VerticalDpi(); }

    // Writes what was drawn since the last call to the store.
    void WriteBack();
    // The store now holds another picture (new, or after a loss): the tiles are dropped
    // unwritten.
    void Restart(int width, int height);
    // A read found the store's picture gone since the last call; clears the note.
    bool TakeLoss();
    // The pixels held in memory now.
    std::int64_t HeldPixelCount() const;

  private:
    struct Tile {
        RasterImage image;          // empty while it is the one drawn on (in work_)
        raster::PixelBox held{};    // its square of the grid, within the picture
        raster::PixelBox dirty{};   // what changed in it since the last write-back
        std::uint64_t lastUse = 0;  // for giving up the least recently used
    };

    // Runs draw on every tile that box touches, with that tile the one drawn on.
    template <typename Draw>
    void DrawOver(raster::PixelBox box, const Draw& draw);
    // The same for a part of the picture within one row of tiles.
    template <typename Draw>
    void DrawOverRow(const raster::PixelBox& part, const Draw& draw);
    // Where the square of the grid holding this picture coordinate (0 or more) begins.
    static int FirstTileStart(int coordinate);
    // Makes the tile holding this square the one drawn on, reading it when it is not held.
    void Use(const raster::PixelBox& square);
    void Park();
    void WriteBack(Tile& tile);
    // The part of box inside the clip and the picture.
    raster::PixelBox Visible(const raster::PixelBox& box) const;

    const RasterImage& logo_;
    PictureStore& store_;
    RasterImage work_;  // the tile drawn on; surface_ draws here, in the picture's coordinates
    RasterSurface surface_;
    std::vector<Tile> tiles_;
    std::size_t current_ = 0;  // the tile in work_, while working_
    bool working_ = false;
    std::uint64_t uses_ = 0;
    int width_;
    int height_;
    ClipRect clip_ = Unclipped;
    int reach_ = 1;  // how far from a line's centre the current pen may change pixels
    int currentX_ = 0;
    int currentY_ = 0;
    bool lost_ = false;
};

}  // namespace vireluna::raster
