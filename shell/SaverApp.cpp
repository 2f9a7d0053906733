#include "shell/SaverApp.h"

#include "shell/CommandLine.h"
#include "shell/RunControls.h"
#include "shell/ScreenSizeText.h"

namespace vireluna {
namespace {

constexpr std::size_t SwitchArgument = 1;
constexpr std::size_t HostWindowArgument = 2;

}  // namespace

bool CSaverApp::InitInstance(const std::vector<std::string>& arguments) {
    ProfileStore& profile = system_.OpenProfile();
    const std::optional<std::string> seedVariable = system_.Environment(SeedVariable);
    RunStart start;
    start.seed =
        ChooseSeed(seedVariable ? std::optional<std::string_view>(*seedVariable) : std::nullopt,
                   system_.SecondsNow());
    if (const std::optional<std::string> ticks = system_.Environment(TicksVariable)) {
        start.tickLimit = ParseTickCount(*ticks);
    }

    if (arguments.size() <= SwitchArgument || MatchSwitch(arguments[SwitchArgument], 'c')) {
        system_.ShowAboutBox();
        return false;
    }
    const std::string& switchText = arguments[SwitchArgument];
    if (MatchSwitch(switchText, 'p')) return StartPreview(profile, arguments, start);
    if (MatchSwitch(switchText, 's')) {
        if (!CheckPlaylistFiles(profile, system_.Files(), system_.Boxes())) return false;
        std::optional<MonitorLayout> monitors;
        if (const std::optional<std::string> list = system_.Environment(MonitorsVariable)) {
            monitors = ParseMonitorList(*list);  // not a list: the system's own monitors
        }
        return system_.CreateFullScreenWindow(profile, start, monitors);
    }
    return false;
}

bool CSaverApp::StartPreview(ProfileStore& profile, const std::vector<std::string>& arguments,
                             RunStart start) {
    // A preview needs a host window: without one there is nothing to show and nobody to
    // tell, so the program ends quietly before anything else.
    if (arguments.size() <= HostWindowArgument) return false;
    const std::optional<std::int64_t> host = ParseWindowHandle(arguments[HostWindowArgument]);
    if (!host || !system_.IsWindowHandle(*host)) return false;
    if (!CheckPlaylistFiles(profile, system_.Files(), system_.Boxes())) return false;
    return system_.CreatePreviewWindow(*host, profile, start);
}

}  // namespace vireluna
