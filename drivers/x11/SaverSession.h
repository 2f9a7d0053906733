#pragma once

#include "drivers/x11/Xlib.h"

#include <memory>
#include <optional>
#include <string>

#include "core/saver/MonitorRuns.h"
#include "core/saver/SaverStartup.h"
#include "core/settings/RenderProfile.h"
#include "drivers/headless/RasterWindowHost.h"
#include "drivers/x11/MonitorDiscovery.h"
#include "drivers/x11/SaverLoop.h"
#include "drivers/x11/SaverOptions.h"
#include "drivers/x11/SaverTarget.h"
#include "drivers/x11/SignalWake.h"
#include "systems/posix/PosixFileSystem.h"

namespace vireluna::x11 {

// The X11 saver as start-up's driver: the window of the chosen mode on an open display, its
// runs, the monitor watch, and the event loop that plays them. Messages show in the window.
class SaverSession final : public SaverDriver {
  public:
    SaverSession(Display* display, const saver::SaverOptions& options);
    ~SaverSession() override;
    SaverSession(const SaverSession&) = delete;
    SaverSession& operator=(const SaverSession&) = delete;

    // What the command line asks for.
    StartRequest Request() const;
    // Why the saver could not start, for the user; empty when a message in the window said it.
    const std::string& Error() const { return error_; }
    // Plays until the saver is ended, then takes the window away.
    void RunUntilEnded();

    ProfileStore* OpenProfile() override;
    FileSystem& Files() override { return files_; }
    std::uint32_t SecondsNow() override;
    void ShowAboutBox() override {}
    MessageBoxes* BoxesBeforeWindow() override { return nullptr; }
    bool OpenWindow(RunMode mode, ProfileStore& profile, RunStart start) override;
    MessageBoxes& WindowMessages() override;
    void CloseWindow() override;

  private:
    bool OpenTarget(const MonitorLayout& monitors);
    void FollowMonitors(const MonitorLayout& monitors);
    void StartPointerWhereItIs();

    Display* display_;
    const saver::SaverOptions& options_;
    std::string error_;
    PosixFileSystem files_;
    std::unique_ptr<ProfileStore> userProfile_;
    std::optional<RenderProfile> profile_;
    std::optional<SaverTarget> target_;
    std::optional<SignalWake> wake_;
    std::optional<SaverLoop> loop_;
    std::optional<headless::RasterWindowHost> host_;
    std::optional<MonitorRuns> runs_;
    std::optional<MonitorChangeWatch> watch_;
};

// Opens the display and plays the saver the options ask for until it is ended. Returns the
// exit status; says why on stderr when it cannot start.
int RunSaver(const saver::SaverOptions& options);

}  // namespace vireluna::x11
