#pragma once

#include "core/ports/PathLimit.h"

namespace vireluna::testing {

// Windows' limit on every platform, so that the core tests count UTF-16 units everywhere.
inline constexpr PathLimit TestPathLimit{PathLimit::Unit::Utf16Units, 259};

}  // namespace vireluna::testing
