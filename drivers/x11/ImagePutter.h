#pragma once

#include "drivers/x11/Xlib.h"

#include <vector>

#include "drivers/x11/PixelFormat.h"
#include "raster/RasterImage.h"

namespace vireluna::x11 {

// Copies rectangles of the raster picture onto a window, band by band through one small
// buffer (shared memory when the server offers it), so memory stays small on any screen.
class ImagePutter {
  public:
    // Plain: never shared memory, so no put waits for the server; for small parts put often.
    enum class Transfer { SharedWhenOffered, Plain };

    ImagePutter(Display* display, Drawable target, Visual* visual, int depth,
                Transfer transfer = Transfer::SharedWhenOffered);
    ~ImagePutter();
    ImagePutter(const ImagePutter&) = delete;
    ImagePutter& operator=(const ImagePutter&) = delete;

    // Puts [left, right) x [top, bottom) of image at the same place in the window, or at
    // (toX, toY) in the second form. The rectangle must lie within image.
    void Put(const raster::RasterImage& image, int left, int top, int right, int bottom) {
        Put(image, left, top, right, bottom, left, top);
    }
    void Put(const raster::RasterImage& image, int left, int top, int right, int bottom, int toX,
             int toY);
    bool UsesSharedMemory() const { return shared_; }
    // From now on only the pixels set in mask (a bitmap whose corner lies at (x, y) of the
    // target) are put; XNone puts every pixel again.
    void SetClipMask(Pixmap mask, int x, int y);

  private:
    bool MakeBand(int width);
    bool MakeSharedBand(int width, int rows);
    void DropBand();
    void Convert(const raster::RasterImage& image, int left, int top, int width, int rows);

    Display* display_;
    Drawable target_;
    Visual* visual_;
    int depth_;
    GC gc_;
    PixelFormat format_;
    bool shmAvailable_;
    bool shared_ = false;
    XShmSegmentInfo shm_{};
    XImage* band_ = nullptr;
    std::vector<char> plainBuffer_;
    int bandWidth_ = 0;
    int bandRows_ = 0;
};

}  // namespace vireluna::x11
