#pragma once

#include <cstdint>
#include <vector>

#include "tools/logogen/Palette.h"

namespace vireluna::logogen {

inline constexpr int kEmblemWidth = 96;
inline constexpr int kEmblemHeight = 109;

struct IndexedPicture {
    Palette palette;
    std::vector<std::uint8_t> indices;  // row by row from the top
};

// The picture's model (y up): everything it draws lies within these bounds.
inline constexpr double kPictureModelLeft = -170.0;
inline constexpr double kPictureModelTop = 206.0;
inline constexpr double kPictureModelRight = 230.0;
inline constexpr double kPictureModelBottom = -172.0;

// Where the picture goes on a canvas: pixels per model unit, and the pixel at which the
// model's top-left corner lands.
struct PictureFrame {
    double scale;
    double left;
    double top;
};

// The emblem's sixteen colours; entry 0 is its light-blue field.
const Palette& EmblemPalette();
Colour EmblemField();

// The emblem's picture without the name: moon, vine and star, anti-aliased over the canvas.
void PaintEmblemPicture(Canvas& canvas, const PictureFrame& frame);

// The emblem: a navy crescent moon open to the right, a green vine sprig with three leaves
// curling through it, a gold four-point star at its upper right and the name beneath.
bool DrawEmblem(IndexedPicture& picture);

}  // namespace vireluna::logogen
