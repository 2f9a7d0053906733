#include "drivers/x11/ImagePutter.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "drivers/x11/X11Errors.h"

namespace vireluna::x11 {
namespace {
// One band of the picture at a time: a full-HD row is 7.5 KiB, so 16 rows stay at 120 KiB.
constexpr int BandRows = 16;
constexpr int BitsPerPixelOfBand = 32;
}  // namespace

ImagePutter::ImagePutter(Display* display, Drawable target, Visual* visual, int depth,
                         Transfer transfer)
    : display_(display),
      target_(target),
      visual_(visual),
      depth_(depth),
      gc_(XCreateGC(display, target, 0, nullptr)),
      format_(visual->red_mask, visual->green_mask, visual->blue_mask),
      shmAvailable_(transfer == Transfer::SharedWhenOffered &&
                    XShmQueryExtension(display) == True) {}

ImagePutter::~ImagePutter() {
    DropBand();
    XFreeGC(display_, gc_);
}

void ImagePutter::DropBand() {
    if (band_ == nullptr) return;
    if (shared_) {
        XShmDetach(display_, &shm_);
        XSync(display_, False);
        shmdt(shm_.shmaddr);
        shared_ = false;
    }
    band_->data = nullptr;  // the buffer is ours (or the segment's), not Xlib's
    XDestroyImage(band_);
    band_ = nullptr;
}

bool ImagePutter::MakeSharedBand(int width, int rows) {
    band_ = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr,
                            &shm_, static_cast<unsigned>(width), static_cast<unsigned>(rows));
    if (band_ == nullptr) return false;
    shm_.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(band_->bytes_per_line) * rows,
                        IPC_CREAT | 0600);
    if (shm_.shmid < 0) {
        XDestroyImage(band_);
        band_ = nullptr;
        return false;
    }
    shm_.shmaddr = static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
    // Removed now, the segment goes away with the last detach, even if we are killed.
    shmctl(shm_.shmid, IPC_RMID, nullptr);
    if (shm_.shmaddr == reinterpret_cast<char*>(-1)) {
        XDestroyImage(band_);
        band_ = nullptr;
        return false;
    }
    band_->data = shm_.shmaddr;
    shm_.readOnly = True;
    // A server on another machine refuses the attach: then plain requests it is.
    const unsigned long first = NextRequest(display_);
    XShmAttach(display_, &shm_);
    if (FailedSince(display_, first)) {
        shmdt(shm_.shmaddr);
        band_->data = nullptr;
        XDestroyImage(band_);
        band_ = nullptr;
        return false;
    }
    shared_ = true;
    return true;
}

bool ImagePutter::MakeBand(int width) {
    if (band_ != nullptr && width <= bandWidth_) return true;
    DropBand();
    bandWidth_ = width;
    bandRows_ = BandRows;
    if (shmAvailable_ && MakeSharedBand(width, bandRows_)) return true;
    shmAvailable_ = false;
    band_ = XCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, 0, nullptr,
                         static_cast<unsigned>(width), static_cast<unsigned>(bandRows_),
                         BitsPerPixelOfBand, 0);
    if (band_ == nullptr) return false;
    plainBuffer_.assign(static_cast<std::size_t>(band_->bytes_per_line) * bandRows_, 0);
    band_->data = plainBuffer_.data();
    return true;
}

void ImagePutter::Convert(const raster::RasterImage& image, int left, int top, int width,
                          int rows) {
    const bool direct =
        band_->bits_per_pixel == 32 && (band_->byte_order == LSBFirst) == HostIsLittleEndian();
    const std::uint8_t* source = image.Bytes().data();
    const std::size_t sourceStride = static_cast<std::size_t>(image.Width()) * 3;
    for (int row = 0; row < rows; ++row) {
        const std::uint8_t* in =
            source + static_cast<std::size_t>(top + row) * sourceStride + left * 3;
        char* out = band_->data + static_cast<std::size_t>(row) * band_->bytes_per_line;
        for (int x = 0; x < width; ++x, in += 3) {
            const std::uint32_t pixel = format_.PixelOf({in[0], in[1], in[2]});
            if (direct) {
                std::memcpy(out + static_cast<std::size_t>(x) * 4, &pixel, 4);
            } else {
                XPutPixel(band_, x, row, pixel);
            }
        }
    }
}

void ImagePutter::Put(const raster::RasterImage& image, int left, int top, int right, int bottom,
                      int toX, int toY) {
    const int width = right - left;
    if (width <= 0 || bottom <= top || !MakeBand(width)) return;
    for (int y = top; y < bottom; y += bandRows_) {
        const int rows = std::min(bandRows_, bottom - y);
        Convert(image, left, y, width, rows);
        const int destinationY = toY + (y - top);
        if (shared_) {
            XShmPutImage(display_, target_, gc_, band_, 0, 0, toX, destinationY,
                         static_cast<unsigned>(width), static_cast<unsigned>(rows), False);
            // The server reads the segment later; it must be done before the next band.
            XSync(display_, False);
        } else {
            XPutImage(display_, target_, gc_, band_, 0, 0, toX, destinationY,
                      static_cast<unsigned>(width), static_cast<unsigned>(rows));
        }
    }
    XFlush(display_);
}

void ImagePutter::SetClipMask(Pixmap mask, int x, int y) {
    XSetClipOrigin(display_, gc_, x, y);
    XSetClipMask(display_, gc_, mask);
}

}  // namespace vireluna::x11
