#pragma once

#include <cstddef>
#include <cstdint>

namespace vireluna::render {

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

// The pixels a drawing call may have changed: [left, right) x [top, bottom), maybe empty.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

}  // namespace vireluna::render
