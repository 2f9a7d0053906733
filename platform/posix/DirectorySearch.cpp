#include "platform/DirectorySearch.h"

#include <glob.h>

namespace vireluna {

bool DirectorySearchFinds(const std::string& utf8Pattern) {
    if (utf8Pattern.empty()) return false;
    glob_t matches{};
    // Backslashes are name characters, as on Windows; a name without wildcards must exist.
    const int result = glob(utf8Pattern.c_str(), GLOB_NOSORT | GLOB_NOESCAPE, nullptr, &matches);
    const bool found = result == 0 && matches.gl_pathc > 0;
    globfree(&matches);
    return found;
}

}  // namespace vireluna
