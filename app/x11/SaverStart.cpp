#include "app/x11/SaverStart.h"

#include <chrono>
#include <ctime>
#include <iostream>
#include <memory>
#include <optional>

#include "platform/posix/DataFolder.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/UserProfile.h"
#include "platform/x11/MonitorDiscovery.h"
#include "platform/x11/SaverLoop.h"
#include "platform/x11/SaverTarget.h"
#include "platform/x11/SignalWake.h"
#include "platform/x11/X11Errors.h"
#include "platform/x11/Xlib.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"
#include "render/RasterWindowHost.h"
#include "shell/MonitorRuns.h"
#include "shell/PreviewRule.h"
#include "shell/RenderProfile.h"
#include "shell/SaverRun.h"

namespace vireluna::saver {
namespace {

int CannotStart(const std::string& why) {
    std::cerr << "vireluna-saver: " << why << '\n';
    return ExitCannotStart;
}

bool OpenTarget(Display* display, const SaverOptions& options, const MonitorLayout& monitors,
                x11::SaverTarget& target, std::string& error) {
    switch (options.mode) {
        case SaverMode::Root:
            return x11::FindRootTarget(display, target, error);
        case SaverMode::WindowId:
            return x11::FindWindowTarget(display, options.windowId, target, error);
        case SaverMode::Window:
            return x11::CreateTopLevelTarget(display, options.geometry, target, error);
        case SaverMode::FullScreen:
            return x11::CreateFullScreenTarget(display, monitors.Bounds(), target, error);
    }
    return false;
}

// The whole X screen the window is on.
ScreenSize DisplayOf(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0 || attributes.screen == nullptr) {
        const Screen* screen = DefaultScreenOfDisplay(display);
        return {WidthOfScreen(screen), HeightOfScreen(screen)};
    }
    return {WidthOfScreen(attributes.screen), HeightOfScreen(attributes.screen)};
}

// Where the target window lies on the display, when the server can tell.
std::optional<MonitorRect> PlaceOf(Display* display, const x11::SaverTarget& target) {
    Window child = x11::XNone;
    int left = 0;
    int top = 0;
    if (XTranslateCoordinates(display, target.window, DefaultRootWindow(display), 0, 0, &left, &top,
                              &child) == 0) {
        return std::nullopt;
    }
    return MonitorRect{left, top, target.size.width, target.size.height};
}

ScreenSize ScreenFor(Display* display, const x11::SaverTarget& target) {
    const std::optional<MonitorRect> place = PlaceOf(display, target);
    return ScreenForGivenWindow(place,
                                place ? x11::DiscoverMonitors(display).layout : MonitorLayout(),
                                DisplayOf(display, target.window));
}

// A window someone else gave us: a daemon's, or a settings program's preview.
bool DaemonWindow(SaverMode mode) {
    return mode == SaverMode::Root || mode == SaverMode::WindowId;
}

int RunOn(Display* display, const SaverOptions& options) {
    // Everything that can fail before a window shows up on the screen.
    std::string error;
    std::unique_ptr<ProfileStore> userProfile = OpenUserProfile(options.profilePath, error);
    if (!userProfile) return CannotStart(error);
    raster::RasterImage emblem;
    const std::string emblemPath = DefaultLogoPath();
    if (!raster::ReadBmp(emblemPath, emblem)) {
        return CannotStart("cannot read the emblem picture '" + emblemPath + "'");
    }
    RenderProfile profile(*userProfile, options.configOverrides, options.files, options.folder);

    // Full screen covers every monitor, one window over their bounds.
    const bool fullScreen = options.mode == SaverMode::FullScreen;
    const MonitorLayout monitors =
        fullScreen ? x11::DiscoverMonitors(display).layout : MonitorLayout();
    x11::SaverTarget target;
    if (!OpenTarget(display, options, monitors, target, error)) return CannotStart(error);
    if (target.visual->c_class != TrueColor && target.visual->c_class != DirectColor) {
        x11::ReleaseTarget(display, target);
        return CannotStart("the window has no true-colour visual");
    }

    x11::SignalWake wake;
    x11::SaverLoop loop(display, target.window, target.visual, target.depth, wake,
                        target.deleteWindow);
    const ScreenSize screen = fullScreen ? target.size : ScreenFor(display, target);
    headless::RasterWindowHost host(screen, target.size, std::move(emblem), loop);
    loop.Attach(host);
    PosixFileSystem files;
    const RunStart start{options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr))),
                         options.ticks};
    // One monitor, a daemon's window or a window of its own is one run; several monitors share
    // the window, one run each.
    MonitorRuns runs(fullScreen ? RunMode::FullScreen : RunMode::Picture, profile, host, files,
                     start, fullScreen ? monitors : MonitorLayout::Single(target.size));
    runs.Start();
    // A monitor added, removed or moved: the window covers the new bounds and the runs of the
    // monitors that changed start again.
    std::optional<x11::MonitorChangeWatch> watch;
    if (fullScreen) {
        watch.emplace(display);
        loop.ShowMessagesOver(monitors.InWindow(0));
        runs.SetWindowMover([&](const MonitorLayout& layout) {
            const MonitorRect bounds = layout.Bounds();
            // Only the primary's run shows messages: over its monitor, not across a bezel.
            loop.ShowMessagesOver(layout.InWindow(0));
            XMoveResizeWindow(display, target.window, bounds.left, bounds.top,
                              static_cast<unsigned>(bounds.width),
                              static_cast<unsigned>(bounds.height));
            host.Resize(bounds.Size());
        });
        loop.WatchOtherEvents([&](XEvent& event) {
            if (!watch->IsLayoutEvent(event)) return false;
            runs.OnLayoutChange(x11::DiscoverMonitors(display).layout);
            return true;
        });
    }
    runs.ErasePending();

    // As the Windows saver does: a playlist file that is not there is named, and the saver
    // does not start. Under a daemon the message stays until the daemon ends the saver: an
    // early end would leave its screen blank, with the reason only in a log.
    loop.KeepMessagesUntilEnded(DaemonWindow(options.mode));
    if (!CheckPlaylistFiles(profile, files, loop)) {
        x11::ReleaseTarget(display, target);
        return ExitCannotStart;
    }
    loop.KeepMessagesUntilEnded(false);

    if (CFullScreenSaverWnd* inputRules = runs.InputRules()) {
        // The first pointer position is where the pointer is now, not where it first moves to.
        Window root = x11::XNone, child = x11::XNone;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned buttons = 0;
        if (XQueryPointer(display, target.window, &root, &child, &rootX, &rootY, &x, &y,
                          &buttons)) {
            inputRules->OnMouseMove(x, y);
        }
    }

    const auto started = std::chrono::steady_clock::now();
    loop.Run(runs);
    if (options.stats) {
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
        // The primary as it is now: a layout change may have started it afresh.
        const SaverRun& primary = runs.Primary();
        std::cerr << "vireluna-saver: " << primary.Ticks() << " ticks in " << seconds.count()
                  << " s: " << primary.Ticks() / seconds.count() << " a second at a period of "
                  << primary.Window().Settings().timerPeriod << " ms\n";
    }
    x11::ReleaseTarget(display, target);
    return ExitNormal;
}

}  // namespace

int RunSaver(const SaverOptions& options) {
    x11::InstallErrorHandlers();
    const char* name = options.display.empty() ? nullptr : options.display.c_str();
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        const char* shown = XDisplayName(name);
        return CannotStart(std::string("cannot open the X display '") +
                           (shown != nullptr ? shown : "") + "'");
    }
    const int status = RunOn(display, options);
    XCloseDisplay(display);
    return status;
}

}  // namespace vireluna::saver
