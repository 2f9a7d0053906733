#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vireluna::raster {

// A frame buffer as the thread look writes into it: rows from the top, each pixel a few
// bytes with red, green and blue at fixed offsets. An RGB image and a Windows DIB section
// (blue, green, red, unused) are both such buffers.
struct PixelView {
    std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t rowBytes = 0;
    int pixelBytes = 3;
    int redOffset = 0;
    int greenOffset = 1;
    int blueOffset = 2;

    std::uint8_t* At(int x, int y) const {
        return pixels + y * rowBytes + static_cast<std::ptrdiff_t>(x) * pixelBytes;
    }
};

// The part of a view inside [left, right) x [top, bottom) (any int values), as a view of its
// own whose corner lies at (left, top) of the whole: a thread laid on it stays in the clip.
struct ViewPart {
    PixelView view;
    int left = 0;
    int top = 0;
};
inline ViewPart PartOf(const PixelView& whole, int left, int top, int right, int bottom) {
    const int x0 = std::clamp(left, 0, whole.width);
    const int y0 = std::clamp(top, 0, whole.height);
    const int x1 = std::clamp(right, x0, whole.width);
    const int y1 = std::clamp(bottom, y0, whole.height);
    PixelView part = whole;
    part.pixels = whole.At(x0, y0);
    part.width = x1 - x0;
    part.height = y1 - y0;
    return {part, x0, y0};
}

// The pixels a drawing call may have changed: [left, right) x [top, bottom), maybe empty.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// The pixels in both boxes (maybe none).
inline PixelBox Intersection(const PixelBox& a, const PixelBox& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// The smallest box holding both; an empty box adds nothing.
inline PixelBox Union(const PixelBox& a, const PixelBox& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

}  // namespace vireluna::raster
