#pragma once

#include <cstdint>

#include "render/RasterImage.h"

namespace vireluna::x11 {

// Where a TrueColor visual keeps red, green and blue in a pixel value.
class PixelFormat {
  public:
    PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask);
    std::uint32_t PixelOf(raster::Rgb colour) const {
        return Channel(colour.red, red_) | Channel(colour.green, green_) |
               Channel(colour.blue, blue_);
    }

  private:
    struct Field {
        int shift;
        int bits;
    };
    static Field FieldOf(unsigned long mask);
    static std::uint32_t Channel(std::uint8_t value, Field field) {
        const int bits = field.bits > 8 ? 8 : field.bits;
        return static_cast<std::uint32_t>(value >> (8 - bits)) << field.shift;
    }

    Field red_, green_, blue_;
};

}  // namespace vireluna::x11
