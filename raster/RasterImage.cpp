#include "raster/RasterImage.h"

#include <algorithm>

namespace vireluna::raster {

namespace {

constexpr int kChannels = RasterImage::PixelBytes;

}  // namespace

RasterImage::RasterImage(int width, int height, Rgb fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    rgb_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * kChannels);
    ClearClip();
    FillRect(0, 0, width_, height_, fill);
}

void RasterImage::Reshape(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    rgb_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * kChannels);
    ClearClip();
}

std::size_t RasterImage::OffsetOf(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)) *
           kChannels;
}

Rgb RasterImage::PixelAt(int x, int y) const {
    const std::uint8_t* pixel = rgb_.data() + OffsetOf(x, y);
    return {pixel[0], pixel[1], pixel[2]};
}

void RasterImage::SetPixel(int x, int y, Rgb colour) {
    if (x < clipLeft_ || y < clipTop_ || x >= clipRight_ || y >= clipBottom_) return;
    std::uint8_t* pixel = rgb_.data() + OffsetOf(x, y);
    pixel[0] = colour.red;
    pixel[1] = colour.green;
    pixel[2] = colour.blue;
}

void RasterImage::FillRect(int left, int top, int right, int bottom, Rgb colour) {
    const int x0 = std::max(left, clipLeft_);
    const int y0 = std::max(top, clipTop_);
    const int x1 = std::min(right, clipRight_);
    const int y1 = std::min(bottom, clipBottom_);
    if (x0 >= x1 || y0 >= y1) return;
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* pixel = rgb_.data() + OffsetOf(x0, y);
        for (int x = x0; x < x1; ++x, pixel += kChannels) {
            pixel[0] = colour.red;
            pixel[1] = colour.green;
            pixel[2] = colour.blue;
        }
    }
}

void RasterImage::SetClip(int left, int top, int right, int bottom) {
    clipLeft_ = std::clamp(left, 0, width_);
    clipTop_ = std::clamp(top, 0, height_);
    clipRight_ = std::clamp(right, clipLeft_, width_);
    clipBottom_ = std::clamp(bottom, clipTop_, height_);
}

raster::PixelView ViewOf(RasterImage& image) {
    return {image.MutableBytes(), image.Width(), image.Height(),
            std::ptrdiff_t{image.Width()} * RasterImage::PixelBytes, RasterImage::PixelBytes};
}

}  // namespace vireluna::raster
