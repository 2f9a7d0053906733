#include "tools/logogen/Canvas.h"

namespace vireluna::logogen {

namespace {

constexpr int kSamplesPerAxis = 6;

double Mix(double under, double over, double amount) {
    return under + (over - under) * amount;
}

}  // namespace

Canvas::Canvas(int width, int height, Colour field)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), field) {}

void Canvas::Paint(const Region& region, Colour colour) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            int inside = 0;
            for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
                for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
                    const Vec sample{x + (sx + 0.5) / kSamplesPerAxis,
                                     y + (sy + 0.5) / kSamplesPerAxis};
                    if (region(sample)) ++inside;
                }
            }
            if (inside == 0) continue;
            const double amount = static_cast<double>(inside) / (kSamplesPerAxis * kSamplesPerAxis);
            Colour& pixel = pixels_[y * width_ + x];
            pixel = {Mix(pixel.red, colour.red, amount), Mix(pixel.green, colour.green, amount),
                     Mix(pixel.blue, colour.blue, amount)};
        }
    }
}

void Canvas::SetPixel(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[y * width_ + x] = colour;
}

}  // namespace vireluna::logogen
