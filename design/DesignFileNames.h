#pragma once

#include <string_view>

namespace vireluna {

// True when the path's name ends in the extension of a design format the saver reads, in any
// letter case. A folder of designs plays the files this accepts.
bool IsDesignFileName(std::string_view utf8Path);

}  // namespace vireluna
