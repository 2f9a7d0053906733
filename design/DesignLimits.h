#pragma once

namespace vireluna {

inline constexpr int MaxDesignColours = 72;
inline constexpr int MaxStitchRecords = 64000;
// Room for the longest design path any platform opens (see PathLimit), in UTF-8 with the
// terminating zero: 259 UTF-16 units on Windows take at most 777 bytes, PATH_MAX is 4096.
inline constexpr int MaxDesignPathBytes = 4096;

}  // namespace vireluna
