#pragma once

#include <climits>

#include "core/ports/PathLimit.h"

namespace vireluna {

// PATH_MAX bytes, the terminating zero included.
inline constexpr PathLimit PosixPathLimit{PathLimit::Unit::Bytes, PATH_MAX - 1};
static_assert(MaxUtf8Bytes(PosixPathLimit) < MaxPathBytes);

}  // namespace vireluna
