#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports/FileSystem.h"
#include "core/ports/MessageBoxes.h"
#include "core/ports/ProfileStore.h"
#include "core/saver/MonitorLayout.h"
#include "core/saver/SaverRun.h"

namespace vireluna {

// What start-up needs from the system it runs on.
class SaverSystem {
  public:
    virtual ~SaverSystem() = default;
    // The per-user profile at the saver's location.
    virtual ProfileStore& OpenProfile() = 0;
    virtual FileSystem& Files() = 0;
    // Message boxes of the program, before any window of its own exists.
    virtual MessageBoxes& Boxes() = 0;
    virtual std::uint32_t SecondsNow() = 0;
    virtual std::optional<std::string> Environment(std::string_view name) = 0;
    // Modal; returns when the user has dismissed it.
    virtual void ShowAboutBox() = 0;
    // The handle names a window that exists.
    virtual bool IsWindowHandle(std::int64_t handle) = 0;
    // Create the saver's window, running the saver from start: a child covering the host
    // window's client area, or every monitor (these, when given, instead of the system's).
    // False when no window could be made; nothing is left behind then.
    virtual bool CreatePreviewWindow(std::int64_t hostHandle, ProfileStore& profile,
                                     RunStart start) = 0;
    virtual bool CreateFullScreenWindow(ProfileStore& profile, RunStart start,
                                        const std::optional<MonitorLayout>& monitors) = 0;
};

// The application: start-up only. It reads the switch and the run controls of the
// environment and hands them to the start-up every driver shares: the About box, or the
// playlist check and the saver window, or the end.
class CSaverApp {
  public:
    explicit CSaverApp(SaverSystem& system) : system_(system) {}

    // arguments[0] is the program, [1] the switch, [2] the preview's host window. True when a
    // saver window runs and the message loop is to follow.
    bool InitInstance(const std::vector<std::string>& arguments);

  private:
    // The preview's host window when the arguments name one that exists.
    std::optional<std::int64_t> PreviewHost(const std::vector<std::string>& arguments);

    SaverSystem& system_;
};

}  // namespace vireluna
