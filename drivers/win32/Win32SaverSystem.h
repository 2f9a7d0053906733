#pragma once

#include <windows.h>

#include "core/saver/SaverApp.h"
#include "drivers/win32/MessageBox.h"
#include "systems/win32/RegistryProfileStore.h"
#include "systems/win32/Win32FileSystem.h"

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
    FileSystem& Files() override { return files_; }
    MessageBoxes& Boxes() override { return boxes_; }
    bool IsWindowHandle(std::int64_t handle) override;
    bool CreatePreviewWindow(std::int64_t hostHandle, ProfileStore& profile,
                             RunStart start) override;
    bool CreateFullScreenWindow(ProfileStore& profile, RunStart start,
                                const std::optional<MonitorLayout>& monitors) override;

  private:
    HINSTANCE module_;
    RegistryProfileStore profile_;
    Win32FileSystem files_;
    Win32MessageBoxes boxes_;
};

// The program's arguments as UTF-8, split the way the runtime library splits them.
std::vector<std::string> CommandLineArguments();

}  // namespace vireluna::win32
