#pragma once

#include <string_view>

namespace vireluna {

// True when the path's name ends in the extension of a design format the saver reads, in any
// letter case. A folder of designs plays the files this accepts.
bool IsDesignFileName(std::string_view utf8Path);

// True when the path's name ends in an extension of any kind: a dot, not the name's first
// character, followed by something.
bool HasAnyExtension(std::string_view utf8Path);

// True when the path's name is longer than lowerExtension (lower case, with the dot) and ends
// in it, in any letter case: a bare ".pes" is a hidden file's name, not a design.
bool HasExtension(std::string_view utf8Path, std::string_view lowerExtension);

}  // namespace vireluna
