#pragma once

#include <climits>

#include "design/DesignLimits.h"
#include "platform/PathLimit.h"

namespace vireluna {

// PATH_MAX bytes, the terminating zero included.
inline constexpr PathLimit PosixPathLimit{PathLimit::Unit::Bytes, PATH_MAX - 1};
static_assert(MaxUtf8Bytes(PosixPathLimit) < MaxDesignPathBytes);

}  // namespace vireluna
