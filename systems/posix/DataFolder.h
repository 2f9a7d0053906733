#pragma once

#include <string>
#include <string_view>

namespace vireluna {

// The file NAME (relative, e.g. "designs/logo.pxs") from the first data folder that has it:
// $VIRELUNA_DATA_DIR, the share/vireluna folder beside the running program's prefix, the
// system's installed folders, then the source tree, which is also the answer when none has it.
std::string FindDataFile(std::string_view name);

// Where the emblem picture is found (the same file the Windows build embeds).
std::string DefaultLogoPath();

}  // namespace vireluna
