#include "design/DesignFileNames.h"

#include <array>
#include <cstddef>

namespace vireluna {
namespace {

// Lower case, with the dot.
constexpr std::array<std::string_view, 5> DesignExtensions = {".pxs", ".dst", ".exp", ".pes",
                                                              ".vp3"};

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view lowerSuffix) {
    if (text.size() < lowerSuffix.size()) return false;
    const std::size_t start = text.size() - lowerSuffix.size();
    for (std::size_t i = 0; i < lowerSuffix.size(); ++i) {
        if (LowerAscii(text[start + i]) != lowerSuffix[i]) return false;
    }
    return true;
}

}  // namespace

bool IsDesignFileName(std::string_view utf8Path) {
    const std::size_t slash = utf8Path.find_last_of("/\\");
    const std::string_view name =
        slash == std::string_view::npos ? utf8Path : utf8Path.substr(slash + 1);
    for (std::string_view extension : DesignExtensions) {
        // A bare ".pes" is a hidden file's name, not a design.
        if (name.size() > extension.size() && EndsWithIgnoringCase(name, extension)) return true;
    }
    return false;
}

}  // namespace vireluna
