#include "app/x11/SaverStart.h"

#include <chrono>
#include <ctime>
#include <iostream>
#include <memory>

#include "platform/Random.h"
#include "platform/posix/PosixPathLimit.h"
#include "platform/posix/UserProfile.h"
#include "platform/x11/SaverLoop.h"
#include "platform/x11/SaverTarget.h"
#include "platform/x11/SignalWake.h"
#include "platform/x11/X11Errors.h"
#include "platform/x11/X11WindowHost.h"
#include "platform/x11/Xlib.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"
#include "shell/FullScreenSaverWnd.h"
#include "shell/RenderProfile.h"

namespace vireluna::saver {
namespace {

int CannotStart(const std::string& why) {
    std::cerr << "vireluna-saver: " << why << '\n';
    return ExitCannotStart;
}

bool OpenTarget(Display* display, const SaverOptions& options, x11::SaverTarget& target,
                std::string& error) {
    switch (options.mode) {
        case SaverMode::Root:
            return x11::FindRootTarget(display, target, error);
        case SaverMode::WindowId:
            return x11::FindWindowTarget(display, options.windowId, target, error);
        case SaverMode::Window:
            return x11::CreateTopLevelTarget(display, options.geometry, target, error);
        case SaverMode::FullScreen:
            return x11::CreateFullScreenTarget(display, target, error);
    }
    return false;
}

// The saver window of the mode, created and sized as a native window would tell it.
std::unique_ptr<CSaverWnd> MakeSaverWindow(SaverMode mode, ProfileStore& profile, WindowHost& host,
                                           Random& random) {
    if (mode == SaverMode::FullScreen) {
        return std::make_unique<CFullScreenSaverWnd>(profile, host, random, PosixPathLimit);
    }
    return std::make_unique<CSaverWnd>(profile, host, random, PosixPathLimit);
}

int RunOn(Display* display, const SaverOptions& options) {
    // Everything that can fail before a window shows up on the screen.
    std::string error;
    std::unique_ptr<ProfileStore> userProfile = OpenUserProfile(options.profilePath, error);
    if (!userProfile) return CannotStart(error);
    raster::RasterImage emblem;
    const std::string emblemPath = raster::DefaultLogoPath();
    if (!raster::ReadBmp(emblemPath, emblem)) {
        return CannotStart("cannot read the emblem picture '" + emblemPath + "'");
    }
    RenderProfile profile(*userProfile, options.configOverrides, options.files);

    x11::SaverTarget target;
    if (!OpenTarget(display, options, target, error)) return CannotStart(error);
    if (target.visual->c_class != TrueColor && target.visual->c_class != DirectColor) {
        x11::ReleaseTarget(display, target);
        return CannotStart("the window has no true-colour visual");
    }

    x11::SignalWake wake;
    Random random(options.seed.value_or(static_cast<std::uint32_t>(std::time(nullptr))));
    x11::X11WindowHost host(display, target.window, target.visual, target.depth, target.size,
                            std::move(emblem));
    std::unique_ptr<CSaverWnd> saver = MakeSaverWindow(options.mode, profile, host, random);
    auto* inputRules = dynamic_cast<CFullScreenSaverWnd*>(saver.get());
    saver->OnCreate();
    saver->OnSize(target.size.width, target.size.height);
    host.InvalidateWithErase();  // the window's first paint
    if (inputRules != nullptr) {
        // The first pointer position is where the pointer is now, not where it first moves to.
        Window root = x11::XNone, child = x11::XNone;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned buttons = 0;
        if (XQueryPointer(display, target.window, &root, &child, &rootX, &rootY, &x, &y,
                          &buttons)) {
            inputRules->OnMouseMove(x, y);
        }
    }

    x11::SaverLoopOptions loopOptions;
    if (options.ticks) loopOptions.tickLimit = *options.ticks;
    loopOptions.deleteWindow = target.deleteWindow;
    x11::SaverLoop loop(display, target.window, host, *saver, inputRules, wake, loopOptions);
    const auto started = std::chrono::steady_clock::now();
    loop.Run();
    if (options.stats) {
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
        std::cerr << "vireluna-saver: " << loop.TicksRun() << " ticks in " << seconds.count()
                  << " s: " << loop.TicksRun() / seconds.count() << " a second at a period of "
                  << saver->Settings().timerPeriod << " ms\n";
    }
    saver.reset();
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
