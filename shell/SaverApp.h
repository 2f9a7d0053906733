#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/PathLimit.h"
#include "platform/ProfileStore.h"
#include "platform/Random.h"
#include "platform/WindowHost.h"
#include "shell/RunControls.h"

namespace vireluna {

// "File cannot be opened.\n\n", then each playlist entry that was not found and "\n".
inline constexpr std::string_view MissingFilesHeading = "File cannot be opened.\n\n";

// What start-up needs from the system it runs on.
class SaverSystem {
  public:
    virtual ~SaverSystem() = default;
    // The per-user profile at the saver's location.
    virtual ProfileStore& OpenProfile() = 0;
    virtual std::uint32_t SecondsNow() = 0;
    virtual std::optional<std::string> Environment(std::string_view name) = 0;
    // Modal; returns when the user has dismissed it.
    virtual void ShowAboutBox() = 0;
    virtual void ShowMessageBox(std::string_view text, std::string_view caption,
                                MessageIcon icon) = 0;
    // A directory search for the text finds at least one file or folder (wildcards allowed).
    virtual bool DirectorySearchFinds(const std::string& pattern) = 0;
    // The longest design path the system's file functions open.
    virtual PathLimit DesignPathLimit() const = 0;
    // The handle names a window that exists.
    virtual bool IsWindowHandle(std::int64_t handle) = 0;
    // Construct the saver window object and create its window: a child covering the host
    // window's client area, or the whole screen. False when no window could be made; nothing
    // is left behind then.
    virtual bool CreatePreviewWindow(std::int64_t hostHandle, ProfileStore& profile, Random& random,
                                     TickLimit ticks) = 0;
    virtual bool CreateFullScreenWindow(ProfileStore& profile, Random& random, TickLimit ticks) = 0;
};

// The application: start-up only. It reads the switch and either shows the About box, or
// checks the playlist and starts the saver window, or ends.
class CSaverApp {
  public:
    CSaverApp(SaverSystem& system, Random& random);

    // arguments[0] is the program, [1] the switch, [2] the preview's host window. True when a
    // saver window runs and the message loop is to follow.
    bool InitInstance(const std::vector<std::string>& arguments);

    // Every playlist entry that will be played is found and within the path limit; otherwise
    // shows which are not, with the stop icon, and gives false once the box is closed.
    bool CheckPlaylistFiles(ProfileStore& profile);

  private:
    bool StartPreview(ProfileStore& profile, const std::vector<std::string>& arguments);

    SaverSystem& system_;
    Random& random_;
    TickLimit ticks_;
};

}  // namespace vireluna
