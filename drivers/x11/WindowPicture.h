#pragma once

#include <memory>

#include "drivers/headless/RasterWindowHost.h"
#include "drivers/x11/ImagePutter.h"
#include "drivers/x11/ServerPicture.h"
#include "drivers/x11/Xlib.h"
#include "raster/PixelView.h"
#include "raster/RasterImage.h"

namespace vireluna::x11 {

// The picture's way to the window: from the server's pixmap when the server keeps it, else
// from memory through an image put.
class WindowPicture {
  public:
    WindowPicture(Display* display, Window window, Visual* visual, int depth);

    // The picture to put; set before anything is drawn. The X server keeps it when it can.
    void Attach(headless::RasterWindowHost& host);
    // Puts a part of the picture at its place in the window.
    void Put(const raster::PixelBox& box);
    // Puts the first width x height pixels of another image at (x, y) in the window.
    void PutImage(const raster::RasterImage& image, int width, int height, int x, int y) {
        putter_.Put(image, 0, 0, width, height, x, y);
    }

  private:
    ImagePutter putter_;
    std::unique_ptr<ServerPicture> server_;  // while it keeps the picture
    headless::RasterWindowHost* host_ = nullptr;
};

}  // namespace vireluna::x11
