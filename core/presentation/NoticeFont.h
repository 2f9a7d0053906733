#pragma once

#include "core/ports/Surface.h"

namespace vireluna {

// The notice starts at most this many pixels short of the right screen edge, less the 10 of
// its steps: its text must end well before, in any font that stands in for the notice font.
inline constexpr int NoticeWidthLimit = 290;

// The notice's font on a context of this vertical resolution.
FontSpec NoticeFont(int verticalDpi);

}  // namespace vireluna
