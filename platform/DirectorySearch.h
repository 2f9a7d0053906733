#pragma once

#include <string>

namespace vireluna {

// True when a directory search for the text finds at least one entry: an existing file or
// folder of that name, or, for a text with the wildcards * and ?, anything it matches.
bool DirectorySearchFinds(const std::string& utf8Pattern);

}  // namespace vireluna
