#pragma once

#include <cstdint>
#include <cstring>

#include "render/RasterImage.h"

namespace vireluna::x11 {

inline bool HostIsLittleEndian() {
    const std::uint16_t probe = 1;
    std::uint8_t first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

// Where a TrueColor visual keeps red, green and blue in a pixel value.
class PixelFormat {
  public:
    PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask);
    std::uint32_t PixelOf(raster::Rgb colour) const {
        return Channel(colour.red, red_) | Channel(colour.green, green_) |
               Channel(colour.blue, blue_);
    }
    // Whether every channel has 8 bits, so that RgbOf gives back what PixelOf was given.
    bool Exact() const { return red_.bits == 8 && green_.bits == 8 && blue_.bits == 8; }
    raster::Rgb RgbOf(std::uint32_t pixel) const {
        return {ValueOf(pixel, red_), ValueOf(pixel, green_), ValueOf(pixel, blue_)};
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

    static std::uint8_t ValueOf(std::uint32_t pixel, Field field) {
        const int bits = field.bits > 8 ? 8 : field.bits;
        const std::uint32_t mask = (1U << bits) - 1U;
        return static_cast<std::uint8_t>(((pixel >> field.shift) & mask) << (8 - bits));
    }

    Field red_, green_, blue_;
};

}  // namespace vireluna::x11
