#include "drivers/win32/Win32SaverSystem.h"

#include <shellapi.h>

#include <ctime>

#include "drivers/win32/AboutBox.h"
#include "drivers/win32/SaverWindow.h"
#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

HWND WindowFromHandle(std::int64_t handle) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
}

}  // namespace

Win32SaverSystem::Win32SaverSystem(HINSTANCE module)
    : module_(module), profile_(ProfileCompanyKey, LoadApplicationTitle()) {}

std::uint32_t Win32SaverSystem::SecondsNow() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

std::optional<std::string> Win32SaverSystem::Environment(std::string_view name) {
    const std::wstring wideName = Wide(name);
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    value.resize(length);
    return Utf8(value);
}

void Win32SaverSystem::ShowAboutBox() {
    win32::ShowAboutBox(module_);
}

bool Win32SaverSystem::IsWindowHandle(std::int64_t handle) {
    return handle != 0 && IsWindow(WindowFromHandle(handle));
}

bool Win32SaverSystem::CreatePreviewWindow(std::int64_t hostHandle, ProfileStore& profile,
                                           RunStart start) {
    return SaverWindow::CreatePreview(WindowFromHandle(hostHandle), profile, files_, start);
}

bool Win32SaverSystem::CreateFullScreenWindow(ProfileStore& profile, RunStart start,
                                              const std::optional<MonitorLayout>& monitors) {
    return SaverWindow::CreateFullScreen(profile, files_, start, monitors);
}

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(Utf8(wide[i]));
    LocalFree(wide);
    return arguments;
}

}  // namespace vireluna::win32
