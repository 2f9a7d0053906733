#include "systems/win32/Win32FileSystem.h"

#include <windows.h>

#include <cctype>

#include "systems/win32/WideText.h"
#include "systems/win32/Win32InputFile.h"
#include "systems/win32/WindowsPathLimit.h"

namespace vireluna::win32 {

std::unique_ptr<InputFile> Win32FileSystem::NewInputFile() {
    return std::make_unique<Win32InputFile>();
}

namespace {

bool Separator(char c) {
    return c == '\\' || c == '/';
}

bool InDeviceNamespace(const std::string& path) {
    if (path.size() < 4 || !Separator(path[0]) || !Separator(path[1]) || path[2] != '.' ||
        !Separator(path[3])) {
        return false;
    }
    // \\.\C:\... is only another spelling of a path on drive C.
    const bool driveFollows = path.size() >= 6 &&
                              std::isalpha(static_cast<unsigned char>(path[4])) != 0 &&
                              path[5] == ':' && (path.size() == 6 || Separator(path[6]));
    return !driveFollows;
}

// CON, PRN, AUX, NUL, COM1..9, LPT1..9 name the device in any folder and with any extension.
bool ReservedDeviceName(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    std::string base = path.substr(slash == std::string::npos ? 0 : slash + 1);
    base = base.substr(0, base.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool NamesADevice(const std::string& utf8Path) {
    return InDeviceNamespace(utf8Path) || ReservedDeviceName(utf8Path);
}

bool Win32FileSystem::DirectorySearchFinds(const std::string& utf8Pattern) {
    std::wstring pattern;
    if (utf8Pattern.empty() || NamesADevice(utf8Pattern) || !WideFromUtf8(utf8Pattern, pattern)) {
        return false;
    }
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
}

PathLimit Win32FileSystem::DesignPathLimit() const {
    return WindowsPathLimit;
}

std::string Win32FileSystem::DefaultDesignPath() {
    return "C:\\Program Files\\Tessoran\\Saver2\\Designs\\logo.pxs";
}

}  // namespace vireluna::win32
