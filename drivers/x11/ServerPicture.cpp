#include "drivers/x11/ServerPicture.h"

#include <cstdint>
#include <cstring>

#include "drivers/x11/X11Errors.h"

namespace vireluna::x11 {
namespace {

constexpr int DirectBitsPerPixel = 32;

GC CopyingGc(Display* display, Window window) {
    // A copy from a pixmap exposes nothing: no NoExpose event for every tick.
    XGCValues values{};
    values.graphics_exposures = False;
    return XCreateGC(display, window, GCGraphicsExposures, &values);
}

}  // namespace

ServerPicture::ServerPicture(Display* display, Window window, Visual* visual, int depth)
    : display_(display),
      window_(window),
      visual_(visual),
      depth_(depth),
      gc_(CopyingGc(display, window)),
      format_(visual->red_mask, visual->green_mask, visual->blue_mask) {}

ServerPicture::~ServerPicture() {
    Free();
    XFreeGC(display_, gc_);
}

bool ServerPicture::Suits(const Visual* visual) {
    return PixelFormat(visual->red_mask, visual->green_mask, visual->blue_mask).Exact();
}

void ServerPicture::Free() {
    putter_.reset();
    if (pixmap_ != XNone) XFreePixmap(display_, pixmap_);
    pixmap_ = XNone;
}

bool ServerPicture::Resize(int width, int height) {
    Free();
    if (width <= 0 || height <= 0) return false;
    // A server short of memory refuses the pixmap; the picture then stays with the program.
    const unsigned long first = NextRequest(display_);
    const Pixmap pixmap =
        XCreatePixmap(display_, window_, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), static_cast<unsigned>(depth_));
    if (FailedSince(display_, first)) return false;
    pixmap_ = pixmap;
    putter_.emplace(display_, pixmap_, visual_, depth_);
    Fill({0, 0, width, height}, {0, 0, 0});
    return true;
}

bool ServerPicture::Read(const raster::PixelBox& box, raster::RasterImage& into) {
    if (pixmap_ == XNone) return false;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    XImage* image = XGetImage(display_, pixmap_, box.left, box.top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) return false;  // the pixmap is gone
    const bool direct = image->bits_per_pixel == DirectBitsPerPixel &&
                        (image->byte_order == LSBFirst) == HostIsLittleEndian();
    std::uint8_t* out = into.MutableBytes();
    for (int y = 0; y < height; ++y) {
        const char* row = image->data + static_cast<std::size_t>(y) * image->bytes_per_line;
        for (int x = 0; x < width; ++x, out += raster::RasterImage::PixelBytes) {
            std::uint32_t pixel = 0;
            if (direct) {
                std::memcpy(&pixel, row + static_cast<std::size_t>(x) * 4, 4);
            } else {
                pixel = static_cast<std::uint32_t>(XGetPixel(image, x, y));
            }
            const raster::Rgb colour = format_.RgbOf(pixel);
            out[0] = colour.red;
            out[1] = colour.green;
            out[2] = colour.blue;
        }
    }
    XDestroyImage(image);
    return true;
}

void ServerPicture::Write(const raster::RasterImage& image, const raster::PixelBox& part, int toX,
                          int toY) {
    if (!putter_) return;
    putter_->Put(image, part.left, part.top, part.right, part.bottom, toX, toY);
}

void ServerPicture::Fill(const raster::PixelBox& box, raster::Rgb colour) {
    if (pixmap_ == XNone) return;
    XSetForeground(display_, gc_, format_.PixelOf(colour));
    XFillRectangle(display_, pixmap_, gc_, box.left, box.top,
                   static_cast<unsigned>(box.right - box.left),
                   static_cast<unsigned>(box.bottom - box.top));
}

void ServerPicture::Show(const raster::PixelBox& box) {
    if (pixmap_ == XNone || box.Empty()) return;
    XCopyArea(display_, pixmap_, window_, gc_, box.left, box.top,
              static_cast<unsigned>(box.right - box.left),
              static_cast<unsigned>(box.bottom - box.top), box.left, box.top);
}

}  // namespace vireluna::x11
