#pragma once

#include "app/x11/SaverOptions.h"

namespace vireluna::saver {

inline constexpr int ExitNormal = 0;
inline constexpr int ExitCannotStart = 1;
inline constexpr int ExitUsage = 2;

// Opens the display and the window of the chosen mode, builds the saver window over it and
// runs until the saver is ended. Returns the exit status; says why on stderr when it cannot
// start.
int RunSaver(const SaverOptions& options);

}  // namespace vireluna::saver
