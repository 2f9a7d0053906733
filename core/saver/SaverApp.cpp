#include "core/saver/SaverApp.h"

#include "core/saver/CommandLine.h"
#include "core/saver/RunControls.h"
#include "core/saver/SaverStartup.h"
#include "core/saver/ScreenSizeText.h"

namespace vireluna {
namespace {

constexpr std::size_t SwitchArgument = 1;
constexpr std::size_t HostWindowArgument = 2;

// The system seen as start-up's driver: the preview goes into the host's window, full screen
// over the monitors given or the system's; the playlist is checked before either.
class SystemDriver final : public SaverDriver {
  public:
    SystemDriver(SaverSystem& system, std::optional<std::int64_t> previewHost,
                 std::optional<MonitorLayout> monitors)
        : system_(system), previewHost_(previewHost), monitors_(std::move(monitors)) {}

    ProfileStore* OpenProfile() override { return &system_.OpenProfile(); }
    FileSystem& Files() override { return system_.Files(); }
    std::uint32_t SecondsNow() override { return system_.SecondsNow(); }
    void ShowAboutBox() override { system_.ShowAboutBox(); }
    MessageBoxes* BoxesBeforeWindow() override { return &system_.Boxes(); }
    bool OpenWindow(RunMode mode, ProfileStore& profile, RunStart start) override {
        if (mode == RunMode::FullScreen) {
            return system_.CreateFullScreenWindow(profile, start, monitors_);
        }
        return previewHost_ && system_.CreatePreviewWindow(*previewHost_, profile, start);
    }
    // The check is over before the window opens.
    MessageBoxes& WindowMessages() override { return system_.Boxes(); }
    void CloseWindow() override {}

  private:
    SaverSystem& system_;
    std::optional<std::int64_t> previewHost_;
    std::optional<MonitorLayout> monitors_;
};

}  // namespace

bool CSaverApp::InitInstance(const std::vector<std::string>& arguments) {
    StartRequest request;
    if (const std::optional<std::string> seed = system_.Environment(SeedVariable)) {
        request.seed = ParseSeed(*seed);
    }
    if (const std::optional<std::string> ticks = system_.Environment(TicksVariable)) {
        request.tickLimit = ParseTickCount(*ticks);
    }
    std::optional<std::int64_t> previewHost;
    std::optional<MonitorLayout> monitors;
    if (arguments.size() <= SwitchArgument || MatchSwitch(arguments[SwitchArgument], 'c')) {
        request.action = StartAction::ShowAbout;
    } else if (MatchSwitch(arguments[SwitchArgument], 'p')) {
        previewHost = PreviewHost(arguments);
        // A preview needs a host window: without one there is nothing to show and nobody to
        // tell, so the program ends quietly before anything else.
        request.action = previewHost ? StartAction::InWindow : StartAction::End;
    } else if (MatchSwitch(arguments[SwitchArgument], 's')) {
        request.action = StartAction::FullScreen;
        if (const std::optional<std::string> list = system_.Environment(MonitorsVariable)) {
            monitors = ParseMonitorList(*list);  // not a list: the system's own monitors
        }
    }
    SystemDriver driver(system_, previewHost, std::move(monitors));
    return StartSaver(driver, request);
}

std::optional<std::int64_t> CSaverApp::PreviewHost(const std::vector<std::string>& arguments) {
    if (arguments.size() <= HostWindowArgument) return std::nullopt;
    const std::optional<std::int64_t> host = ParseWindowHandle(arguments[HostWindowArgument]);
    if (!host || !system_.IsWindowHandle(*host)) return std::nullopt;
    return host;
}

}  // namespace vireluna
