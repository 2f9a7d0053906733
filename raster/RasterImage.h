#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "raster/PixelView.h"

namespace vireluna::raster {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb&) const = default;
};

// A plain RGB frame buffer, row by row from the top.
class RasterImage {
  public:
    static constexpr int PixelBytes = 3;  // red, green, blue

    RasterImage() = default;
    RasterImage(int width, int height, Rgb fill = {0, 0, 0});

    // Another size, its pixels left as they lie in memory, for a caller that writes every one
    // of them; the clip is the whole image again.
    void Reshape(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb PixelAt(int x, int y) const;          // (x, y) must lie inside
    void SetPixel(int x, int y, Rgb colour);  // ignored outside the image or the clip
    // Fills [left, right) x [top, bottom), clipped to the image and the clip; any int values
    // are safe.
    void FillRect(int left, int top, int right, int bottom, Rgb colour);
    // Writes go only to [left, right) x [top, bottom) from now on (any int values); the whole
    // image again after ClearClip. Reading is never clipped.
    void SetClip(int left, int top, int right, int bottom);
    void ClearClip() { SetClip(0, 0, width_, height_); }
    int ClipLeft() const { return clipLeft_; }
    int ClipTop() const { return clipTop_; }
    int ClipRight() const { return clipRight_; }
    int ClipBottom() const { return clipBottom_; }
    const std::vector<std::uint8_t>& Bytes() const { return rgb_; }
    std::uint8_t* MutableBytes() { return rgb_.data(); }

  private:
    std::size_t OffsetOf(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    // The writable rectangle, always within the image.
    int clipLeft_ = 0;
    int clipTop_ = 0;
    int clipRight_ = 0;
    int clipBottom_ = 0;
    std::vector<std::uint8_t> rgb_;
};

// The image as a frame buffer for the drawing that writes through one.
raster::PixelView ViewOf(RasterImage& image);

// Reads an uncompressed BMP (1, 4, 8, 24 or 32 bits per pixel). False on any fault.
bool ReadBmp(const std::string& path, RasterImage& image);
// Writes an 8-bit RGB PNG. False on any fault; no partial file is left behind.
bool WritePng(const RasterImage& image, const std::string& path);

}  // namespace vireluna::raster
