#include "design/DesignFileNames.h"

#include <cstddef>

#include "design/DesignFiles.h"

namespace vireluna {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool HasExtension(std::string_view utf8Path, std::string_view lowerExtension) {
    const std::size_t slash = utf8Path.find_last_of("/\\");
    const std::string_view name =
        slash == std::string_view::npos ? utf8Path : utf8Path.substr(slash + 1);
    if (name.size() <= lowerExtension.size()) return false;
    const std::size_t start = name.size() - lowerExtension.size();
    for (std::size_t i = 0; i < lowerExtension.size(); ++i) {
        if (LowerAscii(name[start + i]) != lowerExtension[i]) return false;
    }
    return true;
}

bool IsDesignFileName(std::string_view utf8Path) {
    for (const DesignFormat* format : DesignFormats()) {
        if (HasExtension(utf8Path, format->extension)) return true;
    }
    return false;
}

}  // namespace vireluna
