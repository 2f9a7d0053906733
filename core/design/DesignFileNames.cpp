#include "core/design/DesignFileNames.h"

#include <cstddef>

#include "core/design/DesignFileLoader.h"

namespace vireluna {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The file's own name, without the folders.
std::string_view NameOf(std::string_view utf8Path) {
    const std::size_t slash = utf8Path.find_last_of("/\\");
    return slash == std::string_view::npos ? utf8Path : utf8Path.substr(slash + 1);
}

}  // namespace

bool HasAnyExtension(std::string_view utf8Path) {
    const std::string_view name = NameOf(utf8Path);
    const std::size_t dot = name.find_last_of('.');
    // A leading dot names a hidden file; a trailing one ends the name with nothing after it.
    return dot != std::string_view::npos && dot > 0 && dot + 1 < name.size();
}

bool HasExtension(std::string_view utf8Path, std::string_view lowerExtension) {
    const std::string_view name = NameOf(utf8Path);
    if (name.size() <= lowerExtension.size()) return false;
    const std::size_t start = name.size() - lowerExtension.size();
    for (std::size_t i = 0; i < lowerExtension.size(); ++i) {
        if (LowerAscii(name[start + i]) != lowerExtension[i]) return false;
    }
    return true;
}

bool IsDesignFileName(std::string_view utf8Path) {
    for (const FormatRow* format : FormatRows()) {
        if (HasExtension(utf8Path, format->extension)) return true;
    }
    return false;
}

}  // namespace vireluna
