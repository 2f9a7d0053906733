#pragma once

#include "drivers/x11/Xlib.h"

#include <vector>

namespace vireluna::x11 {

// A bitmap on the server, kept from put to put and grown when too small, so that a mask that
// changes every tick costs one request rather than a new pixmap and graphics context.
class MaskPixmap {
  public:
    MaskPixmap(Display* display, Window window) : display_(display), window_(window) {}
    ~MaskPixmap();
    MaskPixmap(const MaskPixmap&) = delete;
    MaskPixmap& operator=(const MaskPixmap&) = delete;

    // The bitmap with bits (rows of whole bytes, the first pixel in the lowest bit) in its
    // width x height corner; beyond that corner it holds what earlier masks left. XNone when
    // the server has none to give.
    Pixmap Load(const std::vector<char>& bits, int width, int height);

  private:
    void Free();

    Display* display_;
    Window window_;
    Pixmap pixmap_ = XNone;
    GC gc_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace vireluna::x11
