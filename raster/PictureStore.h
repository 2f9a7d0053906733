#pragma once

#include "raster/PixelView.h"
#include "raster/RasterImage.h"

namespace vireluna::raster {

// Where a window's picture lives when the program does not keep it (an X server's pixmap):
// its parts are read into memory to be drawn on and written back. Every pixel keeps its
// exact RGB value.
class PictureStore {
  public:
    virtual ~PictureStore() = default;

    // Reads box (within the picture) into `into`, which has the box's size. False when the
    // picture is lost (`into` is then black).
    virtual bool Read(const raster::PixelBox& box, RasterImage& into) = 0;
    // Writes `part` of image (within it) to the picture at (toX, toY).
    virtual void Write(const RasterImage& image, const raster::PixelBox& part, int toX,
                       int toY) = 0;
    // Fills box (within the picture) with one colour.
    virtual void Fill(const raster::PixelBox& box, Rgb colour) = 0;
    // A new picture of this size, all black, as a new image in memory starts. False when it
    // cannot be had.
    virtual bool Resize(int width, int height) = 0;
};

}  // namespace vireluna::raster
