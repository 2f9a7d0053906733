#include "drivers/x11/WindowPicture.h"

namespace vireluna::x11 {

WindowPicture::WindowPicture(Display* display, Window window, Visual* visual, int depth)
    : putter_(display, window, visual, depth) {
    if (ServerPicture::Suits(visual)) {
        server_ = std::make_unique<ServerPicture>(display, window, visual, depth);
    }
}

void WindowPicture::Attach(headless::RasterWindowHost& host) {
    host_ = &host;
    if (server_ && !host.KeepPictureIn(*server_)) server_.reset();
}

void WindowPicture::Put(const raster::PixelBox& box) {
    if (host_->PictureInMemory()) {
        putter_.Put(host_->Image(), box.left, box.top, box.right, box.bottom);
    } else {
        server_->Show(box);
    }
}

}  // namespace vireluna::x11
