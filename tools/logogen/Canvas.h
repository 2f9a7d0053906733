#pragma once

#include <functional>
#include <vector>

namespace vireluna::logogen {

struct Vec {
    double x;
    double y;
};

struct Colour {
    double red;
    double green;
    double blue;
};

// Whether a point, in pixel coordinates (y down, pixel centres at +0.5), lies in a shape.
using Region = std::function<bool(Vec)>;

// A full-colour picture painted with anti-aliased shapes; it is reduced to the palette last.
class Canvas {
  public:
    Canvas(int width, int height, Colour field);
    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour At(int x, int y) const { return pixels_[y * width_ + x]; }
    // Covers the region with a colour, each pixel in proportion to how much of it lies inside.
    void Paint(const Region& region, Colour colour);
    // Sets whole pixels, for pixel art such as lettering.
    void SetPixel(int x, int y, Colour colour);

  private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

}  // namespace vireluna::logogen
