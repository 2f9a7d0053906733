#include "drivers/x11/PixelFormat.h"

namespace vireluna::x11 {

PixelFormat::PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
    : red_(FieldOf(redMask)), green_(FieldOf(greenMask)), blue_(FieldOf(blueMask)) {}

PixelFormat::Field PixelFormat::FieldOf(unsigned long mask) {
    Field field{0, 0};
    if (mask == 0) return field;
    while ((mask & 1UL) == 0) {
        mask >>= 1;
        ++field.shift;
    }
    while ((mask & 1UL) != 0) {
        mask >>= 1;
        ++field.bits;
    }
    return field;
}

}  // namespace vireluna::x11
