#pragma once

namespace vireluna {

inline constexpr int MaxDesignColours = 72;
inline constexpr int MaxStitchRecords = 64000;
// A design path holds at most this many bytes, the terminating zero included.
inline constexpr int MaxDesignPathBytes = 260;

}  // namespace vireluna
