#pragma once

#include <windows.h>

#include "platform/win32/RegistryProfileStore.h"
#include "platform/win32/WindowsPathLimit.h"
#include "shell/SaverApp.h"

namespace vireluna::win32 {

// Start-up's view of Windows: the registry profile, the clock, the environment, the About
// box, message boxes, the directory search and the saver's windows.
class Win32SaverSystem final : public SaverSystem {
  public:
    explicit Win32SaverSystem(HINSTANCE module);

    ProfileStore& OpenProfile() override { return profile_; }
    std::uint32_t SecondsNow() override;
    std::optional<std::string> Environment(std::string_view name) override;
    void ShowAboutBox() override;
    void ShowMessageBox(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool DirectorySearchFinds(const std::string& pattern) override;
    PathLimit DesignPathLimit() const override { return WindowsPathLimit; }
    bool IsWindowHandle(std::int64_t handle) override;
    bool CreatePreviewWindow(std::int64_t hostHandle, ProfileStore& profile, Random& random,
                             TickLimit ticks) override;
    bool CreateFullScreenWindow(ProfileStore& profile, Random& random, TickLimit ticks) override;

  private:
    HINSTANCE module_;
    RegistryProfileStore profile_;
};

// The program's arguments as UTF-8, split the way the runtime library splits them.
std::vector<std::string> CommandLineArguments();

}  // namespace vireluna::win32
