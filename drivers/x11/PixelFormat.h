#pragma once

#include <cstdint>
#include <cstring>

#include "raster/RasterImage.h"

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
    // A narrower channel keeps the value's top bits; a wider one (a 10-bit visual) gets the
    // value scaled to its full range, so that 255 is its brightest.
    static std::uint32_t Channel(std::uint8_t value, Field field) {
        if (field.bits <= 8) {
            return static_cast<std::uint32_t>(value >> (8 - field.bits)) << field.shift;
        }
        const std::uint32_t largest = (1U << field.bits) - 1U;
        return ((value * largest + Largest8 / 2) / Largest8) << field.shift;
    }

    static std::uint8_t ValueOf(std::uint32_t pixel, Field field) {
        const std::uint32_t largest = (1U << field.bits) - 1U;
        const std::uint32_t value = (pixel >> field.shift) & largest;
        if (field.bits <= 8) return static_cast<std::uint8_t>(value << (8 - field.bits));
        return static_cast<std::uint8_t>((value * Largest8 + largest / 2) / largest);
    }

    static constexpr std::uint32_t Largest8 = 255;

    Field red_, green_, blue_;
};

}  // namespace vireluna::x11
