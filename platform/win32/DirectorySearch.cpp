#include "platform/DirectorySearch.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace vireluna {

bool DirectorySearchFinds(const std::string& utf8Pattern) {
    std::wstring pattern;
    if (utf8Pattern.empty() || !win32::WideFromUtf8(utf8Pattern, pattern)) return false;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

}  // namespace vireluna
