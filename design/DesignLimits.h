#pragma once

#include <cstdint>

namespace vireluna {

// What a loaded design can hold, in every format: the load, the check of a design list,
// `vireluna info` and the "File" page all measure against these.
inline constexpr int MaxDesignColours = 72;
inline constexpr int MaxStitchRecords = 64000;
// Room for the longest design path any platform opens (see PathLimit), in UTF-8 with the
// terminating zero: 259 UTF-16 units on Windows take at most 777 bytes, PATH_MAX is 4096.
inline constexpr int MaxDesignPathBytes = 4096;

// Signed comparisons: the limits themselves and negative counts pass.
constexpr bool TooManyColours(std::int32_t colourCount) {
    return colourCount > MaxDesignColours;
}
constexpr bool TooManyStitches(std::int32_t stitchCount) {
    return stitchCount > MaxStitchRecords;
}

}  // namespace vireluna
