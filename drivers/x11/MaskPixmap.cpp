#include "drivers/x11/MaskPixmap.h"

#include <algorithm>

namespace vireluna::x11 {
namespace {

constexpr int BitsPerByte = 8;

}  // namespace

MaskPixmap::~MaskPixmap() {
    Free();
}

void MaskPixmap::Free() {
    if (gc_ != nullptr) XFreeGC(display_, gc_);
    if (pixmap_ != XNone) XFreePixmap(display_, pixmap_);
    gc_ = nullptr;
    pixmap_ = XNone;
    width_ = 0;
    height_ = 0;
}

Pixmap MaskPixmap::Load(const std::vector<char>& bits, int width, int height) {
    if (width <= 0 || height <= 0) return XNone;
    if (width > width_ || height > height_) {
        const int newWidth = std::max(width, width_);
        const int newHeight = std::max(height, height_);
        Free();
        pixmap_ = XCreatePixmap(display_, window_, static_cast<unsigned>(newWidth),
                                static_cast<unsigned>(newHeight), 1);
        if (pixmap_ == XNone) return XNone;
        // A bitmap put as XYBitmap takes the foreground for its ones: 1 is a pixel let through.
        XGCValues values{};
        values.foreground = 1;
        values.background = 0;
        gc_ = XCreateGC(display_, pixmap_, GCForeground | GCBackground, &values);
        width_ = newWidth;
        height_ = newHeight;
    }
    XImage image{};
    image.width = width;
    image.height = height;
    image.format = XYBitmap;
    image.data = const_cast<char*>(bits.data());
    image.byte_order = LSBFirst;
    image.bitmap_unit = BitsPerByte;
    image.bitmap_bit_order = LSBFirst;
    image.bitmap_pad = BitsPerByte;
    image.depth = 1;
    image.bytes_per_line = (width + BitsPerByte - 1) / BitsPerByte;
    image.bits_per_pixel = 1;
    if (XInitImage(&image) == 0) return XNone;
    XPutImage(display_, pixmap_, gc_, &image, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
    return pixmap_;
}

}  // namespace vireluna::x11
