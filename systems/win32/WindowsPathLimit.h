#pragma once

#include <windows.h>

#include "core/ports/PathLimit.h"

namespace vireluna::win32 {

// What the wide file functions open without a long-path prefix: MAX_PATH UTF-16 units, the
// terminating zero included.
inline constexpr PathLimit WindowsPathLimit{PathLimit::Unit::Utf16Units, MAX_PATH - 1};
static_assert(MaxUtf8Bytes(WindowsPathLimit) < MaxPathBytes);

}  // namespace vireluna::win32
