#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vireluna::logogen {

struct RgbaPixel {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::uint8_t alpha;  // 0 transparent .. 255 opaque
};

// One size of an icon: a 256-colour picture with a transparency mask, or a full-colour one
// with alpha, stored as PNG (the form icons take at 256 pixels).
struct IconImage {
    int size = 0;  // width and height, 1 to 256
    bool fullColour = false;
    std::vector<RgbaPixel> pixels;  // row by row from the top; alpha below 128 is transparent
    // 256-colour form: index per pixel into palette.
    std::vector<std::uint8_t> indices;
    std::vector<RgbaPixel> palette;  // up to 256 entries
};

// An .ico file with the images in the order given. False on any fault.
bool WriteIcon(const std::string& path, const std::vector<IconImage>& images);

// A 32 x 32 monochrome cursor that shows nothing: AND mask all ones, XOR mask all zeros,
// hot spot (0, 0).
bool WriteInvisibleCursor(const std::string& path);

}  // namespace vireluna::logogen
