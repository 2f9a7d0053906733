#pragma once

#include <string>

namespace vireluna::saver {

// The emblem picture: in $VIRELUNA_DATA_DIR, where it is installed, or in the source tree.
std::string EmblemPath();

}  // namespace vireluna::saver
