#include "core/ports/PathLimit.h"

namespace vireluna {

int PathLength(std::string_view utf8Path, PathLimit::Unit unit) {
    if (unit == PathLimit::Unit::Bytes) return static_cast<int>(utf8Path.size());
    // One unit per character, two for a character beyond the first 65,536 (a four-byte
    // sequence); continuation bytes add nothing.
    int units = 0;
    for (const char c : utf8Path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) ++units;
        if (byte >= 0xF0) ++units;
    }
    return units;
}

bool PathWithinLimit(std::string_view utf8Path, PathLimit limit) {
    return utf8Path.find('\0') == std::string_view::npos &&
           PathLength(utf8Path, limit.unit) <= limit.longest;
}

}  // namespace vireluna
