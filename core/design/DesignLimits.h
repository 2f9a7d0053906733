#pragma once

#include <cstdint>

#include "core/ports/PathLimit.h"

namespace vireluna {

// What a loaded design can hold, in every format: the load, the check of a design list,
// `vireluna info` and the "File" page all measure against these.
inline constexpr int MaxDesignColours = 72;
inline constexpr int MaxStitchRecords = 64000;
// Room for the longest design path any platform opens (see PathLimit).
inline constexpr int MaxDesignPathBytes = MaxPathBytes;

// Signed comparisons: the limits themselves and negative counts pass.
constexpr bool TooManyColours(std::int32_t colourCount) {
    return colourCount > MaxDesignColours;
}
constexpr bool TooManyStitches(std::int32_t stitchCount) {
    return stitchCount > MaxStitchRecords;
}

}  // namespace vireluna
