#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32InputFile.h"
#include "platform/win32/WindowsPathLimit.h"

namespace vireluna::win32 {

std::unique_ptr<InputFile> Win32FileSystem::NewInputFile() {
    return std::make_unique<Win32InputFile>();
}

bool Win32FileSystem::DirectorySearchFinds(const std::string& utf8Pattern) {
    std::wstring pattern;
    if (utf8Pattern.empty() || !WideFromUtf8(utf8Pattern, pattern)) return false;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

PathLimit Win32FileSystem::DesignPathLimit() const {
    return WindowsPathLimit;
}

std::string Win32FileSystem::DefaultDesignPath() {
    return "C:\\Program Files\\Tessoran\\Saver2\\Designs\\logo.pxs";
}

}  // namespace vireluna::win32
