#include "drivers/x11/SaverSession.h"

#include <chrono>
#include <ctime>
#include <iostream>

#include "core/saver/PreviewRule.h"
#include "drivers/x11/X11Errors.h"
#include "raster/RasterImage.h"
#include "systems/posix/DataFolder.h"
#include "systems/posix/UserProfile.h"

namespace vireluna::x11 {
namespace {

using saver::SaverMode;

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
std::optional<MonitorRect> PlaceOf(Display* display, const SaverTarget& target) {
    Window child = XNone;
    int left = 0;
    int top = 0;
    if (XTranslateCoordinates(display, target.window, DefaultRootWindow(display), 0, 0, &left, &top,
                              &child) == 0) {
        return std::nullopt;
    }
    return MonitorRect{left, top, target.size.width, target.size.height};
}

ScreenSize ScreenFor(Display* display, const SaverTarget& target) {
    const std::optional<MonitorRect> place = PlaceOf(display, target);
    const MonitorLayout monitors = place ? DiscoverMonitors(display).layout : MonitorLayout();
    return ScreenForGivenWindow(place, monitors, DisplayOf(display, target.window));
}

// A window someone else gave us: a daemon's, or a settings program's preview.
bool DaemonWindow(SaverMode mode) {
    return mode == SaverMode::Root || mode == SaverMode::WindowId;
}

}  // namespace

SaverSession::SaverSession(Display* display, const saver::SaverOptions& options)
    : display_(display), options_(options) {}

SaverSession::~SaverSession() = default;

StartRequest SaverSession::Request() const {
    StartRequest request;
    request.action =
        options_.mode == SaverMode::FullScreen ? StartAction::FullScreen : StartAction::InWindow;
    request.seed = options_.seed;
    request.tickLimit = options_.ticks;
    return request;
}

std::uint32_t SaverSession::SecondsNow() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

ProfileStore* SaverSession::OpenProfile() {
    userProfile_ = OpenUserProfile(options_.profilePath, error_);
    if (!userProfile_) return nullptr;
    profile_.emplace(*userProfile_, options_.configOverrides, options_.files, options_.folder);
    return &*profile_;
}

bool SaverSession::OpenTarget(const MonitorLayout& monitors) {
    target_.emplace();
    bool opened = false;
    switch (options_.mode) {
        case SaverMode::Root:
            opened = FindRootTarget(display_, *target_, error_);
            break;
        case SaverMode::WindowId:
            opened = FindWindowTarget(display_, options_.windowId, *target_, error_);
            break;
        case SaverMode::Window:
            opened = CreateTopLevelTarget(display_, options_.geometry, *target_, error_);
            break;
        case SaverMode::FullScreen:
            opened = CreateFullScreenTarget(display_, monitors.Bounds(), *target_, error_);
            break;
    }
    if (!opened) {
        target_.reset();
        return false;
    }
    if (target_->visual->c_class != TrueColor && target_->visual->c_class != DirectColor) {
        CloseWindow();
        error_ = "the window has no true-colour visual";
        return false;
    }
    return true;
}

bool SaverSession::OpenWindow(RunMode mode, ProfileStore& profile, RunStart start) {
    // Everything that can fail before a window shows up on the screen.
    raster::RasterImage emblem;
    const std::string emblemPath = DefaultLogoPath();
    if (!raster::ReadBmp(emblemPath, emblem)) {
        error_ = "cannot read the emblem picture '" + emblemPath + "'";
        return false;
    }
    // Full screen covers every monitor, one window over their bounds.
    const bool fullScreen = mode == RunMode::FullScreen;
    const MonitorLayout monitors = fullScreen ? DiscoverMonitors(display_).layout : MonitorLayout();
    if (!OpenTarget(monitors)) return false;

    wake_.emplace();
    loop_.emplace(display_, target_->window, target_->visual, target_->depth, *wake_,
                  target_->deleteWindow);
    const ScreenSize screen = fullScreen ? target_->size : ScreenFor(display_, *target_);
    host_.emplace(screen, target_->size, std::move(emblem), *loop_);
    loop_->Attach(*host_);
    // One monitor, a daemon's window or a window of its own is one run; several monitors share
    // the window, one run each.
    runs_.emplace(mode, profile, *host_, files_, start,
                  fullScreen ? monitors : MonitorLayout::Single(target_->size));
    runs_->Start();
    if (fullScreen) FollowMonitors(monitors);
    runs_->ErasePending();
    // A playlist file that is not there is named in the window. Under a daemon the message
    // stays until the daemon ends the saver: an early end would leave its screen blank, with
    // the reason only in a log.
    loop_->KeepMessagesUntilEnded(DaemonWindow(options_.mode));
    return true;
}

// A monitor added, removed or moved: the window covers the new bounds and the runs of the
// monitors that changed start again.
void SaverSession::FollowMonitors(const MonitorLayout& monitors) {
    watch_.emplace(display_);
    loop_->ShowMessagesOver(monitors.InWindow(0));
    runs_->SetWindowMover([this](const MonitorLayout& layout) {
        const MonitorRect bounds = layout.Bounds();
        // Only the primary's run shows messages: over its monitor, not across a bezel.
        loop_->ShowMessagesOver(layout.InWindow(0));
        XMoveResizeWindow(display_, target_->window, bounds.left, bounds.top,
                          static_cast<unsigned>(bounds.width),
                          static_cast<unsigned>(bounds.height));
        host_->Resize(bounds.Size());
    });
    loop_->WatchOtherEvents([this](XEvent& event) {
        if (!watch_->IsLayoutEvent(event)) return false;
        runs_->OnLayoutChange(DiscoverMonitors(display_).layout);
        return true;
    });
}

MessageBoxes& SaverSession::WindowMessages() {
    return *loop_;
}

void SaverSession::CloseWindow() {
    if (target_) ReleaseTarget(display_, *target_);
    target_.reset();
}

// The first pointer position is where the pointer is now, not where it first moves to.
void SaverSession::StartPointerWhereItIs() {
    CFullScreenSaverWnd* inputRules = runs_->InputRules();
    if (inputRules == nullptr) return;
    Window root = XNone, child = XNone;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned buttons = 0;
    if (XQueryPointer(display_, target_->window, &root, &child, &rootX, &rootY, &x, &y, &buttons)) {
        inputRules->OnMouseMove(x, y);
    }
}

void SaverSession::RunUntilEnded() {
    loop_->KeepMessagesUntilEnded(false);
    StartPointerWhereItIs();
    const auto started = std::chrono::steady_clock::now();
    loop_->Run(*runs_);
    if (options_.stats) {
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
        // The primary as it is now: a layout change may have started it afresh.
        const SaverRun& primary = runs_->Primary();
        std::cerr << "vireluna-saver: " << primary.Ticks() << " ticks in " << seconds.count()
                  << " s: " << primary.Ticks() / seconds.count() << " a second at a period of "
                  << primary.Window().Settings().timerPeriod << " ms\n";
    }
    CloseWindow();
}

int RunSaver(const saver::SaverOptions& options) {
    InstallErrorHandlers();
    const char* name = options.display.empty() ? nullptr : options.display.c_str();
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        const char* shown = XDisplayName(name);
        std::cerr << "vireluna-saver: cannot open the X display '"
                  << (shown != nullptr ? shown : "") << "'\n";
        return saver::ExitCannotStart;
    }
    int status = saver::ExitNormal;
    {
        SaverSession session(display, options);
        if (StartSaver(session, session.Request())) {
            session.RunUntilEnded();
        } else {
            if (!session.Error().empty())
                std::cerr << "vireluna-saver: " << session.Error() << '\n';
            status = saver::ExitCannotStart;
        }
    }
    XCloseDisplay(display);
    return status;
}

}  // namespace vireluna::x11
