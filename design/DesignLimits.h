#pragma once

#include "platform/PathLimit.h"

namespace vireluna {

inline constexpr int MaxDesignColours = 72;
inline constexpr int MaxStitchRecords = 64000;
// Room for the longest design path any platform opens (see PathLimit).
inline constexpr int MaxDesignPathBytes = MaxPathBytes;

}  // namespace vireluna
