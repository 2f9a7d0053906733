#pragma once

#include <cstdint>
#include <optional>

#include "core/ports/FileSystem.h"
#include "core/ports/MessageBoxes.h"
#include "core/ports/ProfileStore.h"
#include "core/saver/SaverRun.h"

namespace vireluna {

// What a driver's command line asks the saver to do.
enum class StartAction { ShowAbout, FullScreen, InWindow, End };

struct StartRequest {
    StartAction action = StartAction::End;
    std::optional<std::uint32_t> seed;      // none: the time
    std::optional<std::int64_t> tickLimit;  // none: no limit
};

// What start-up needs from a driver: a window, a clock, and where its messages go.
class SaverDriver {
  public:
    virtual ~SaverDriver() = default;
    // The per-user profile; null when it cannot be had (the driver has said why).
    virtual ProfileStore* OpenProfile() = 0;
    virtual FileSystem& Files() = 0;
    virtual std::uint32_t SecondsNow() = 0;
    // Modal; returns when the user has dismissed it.
    virtual void ShowAboutBox() = 0;
    // Message boxes before any window of the saver exists; null for a driver whose messages
    // can only show in the saver's own window.
    virtual MessageBoxes* BoxesBeforeWindow() = 0;
    // Makes the saver's window for the mode, with its runs started from start. False when no
    // window could be made; nothing is left behind then.
    virtual bool OpenWindow(RunMode mode, ProfileStore& profile, RunStart start) = 0;
    // The window's own messages, once it is open.
    virtual MessageBoxes& WindowMessages() = 0;
    // Takes the window away again: the playlist failed its check in it.
    virtual void CloseWindow() = 0;
};

// Start-up, the same for every driver: the seed (the time when none is given) and tick
// limit, the About box, the playlist check (before the window when the driver has boxes for
// it, else in the window), and the window of the mode. True when a saver window runs.
bool StartSaver(SaverDriver& driver, const StartRequest& request);

}  // namespace vireluna
