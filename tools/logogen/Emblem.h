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

// The emblem: a navy crescent moon open to the right, a green vine sprig with three leaves
// curling through it, a gold four-point star at its upper right and the name beneath.
bool DrawEmblem(IndexedPicture& picture);

}  // namespace vireluna::logogen
