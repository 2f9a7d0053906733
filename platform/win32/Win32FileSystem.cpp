#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <cctype>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32InputFile.h"
#include "platform/win32/WindowsPathLimit.h"

namespace vireluna::win32 {

std::unique_ptr<InputFile> Win32FileSystem::NewInputFile() {
    return std::make_unique<Win32InputFile>();
}

bool InDeviceNamespace(const std::string& utf8Path) {
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (utf8Path.size() < 4 || !separator(utf8Path[0]) || !separator(utf8Path[1]) ||
        utf8Path[2] != '.' || !separator(utf8Path[3])) {
        return false;
    }
    // \\.\C:\... is only another spelling of a path on drive C.
    const bool driveFollows =
        utf8Path.size() >= 6 && std::isalpha(static_cast<unsigned char>(utf8Path[4])) != 0 &&
        utf8Path[5] == ':' && (utf8Path.size() == 6 || separator(utf8Path[6]));
    return !driveFollows;
}

bool Win32FileSystem::DirectorySearchFinds(const std::string& utf8Pattern) {
    std::wstring pattern;
    if (utf8Pattern.empty() || InDeviceNamespace(utf8Pattern) ||
        !WideFromUtf8(utf8Pattern, pattern)) {
        return false;
    }
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    // A device answers some searches by its name (NUL): no design is read from it.
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
}

PathLimit Win32FileSystem::DesignPathLimit() const {
    return WindowsPathLimit;
}

std::string Win32FileSystem::DefaultDesignPath() {
    return "C:\\Program Files\\Tessoran\\Saver2\\Designs\\logo.pxs";
}

}  // namespace vireluna::win32
