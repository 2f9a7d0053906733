#pragma once

#include "drivers/x11/Xlib.h"

#include <optional>

#include "drivers/x11/ImagePutter.h"
#include "drivers/x11/PixelFormat.h"
#include "raster/PictureStore.h"

namespace vireluna::x11 {

// The saver's picture kept by the X server in a pixmap of the window's depth, so that the
// program holds only the part it draws on. The window shows it by copies on the server.
class ServerPicture final : public raster::PictureStore {
  public:
    ServerPicture(Display* display, Window window, Visual* visual, int depth);
    ~ServerPicture() override;
    ServerPicture(const ServerPicture&) = delete;
    ServerPicture& operator=(const ServerPicture&) = delete;

    // Whether a pixmap of this visual gives back every RGB value exactly (8 bits a channel).
    static bool Suits(const Visual* visual);

    bool Read(const raster::PixelBox& box, raster::RasterImage& into) override;
    void Write(const raster::RasterImage& image, const raster::PixelBox& part, int toX,
               int toY) override;
    void Fill(const raster::PixelBox& box, raster::Rgb colour) override;
    bool Resize(int width, int height) override;
    // Copies box of the picture onto the window.
    void Show(const raster::PixelBox& box);

  private:
    void Free();

    Display* display_;
    Window window_;
    Visual* visual_;
    int depth_;
    GC gc_;
    PixelFormat format_;
    Pixmap pixmap_ = XNone;
    std::optional<ImagePutter> putter_;  // onto the pixmap
};

}  // namespace vireluna::x11
