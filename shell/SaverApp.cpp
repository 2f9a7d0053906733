#include "shell/SaverApp.h"

#include "shell/CommandLine.h"
#include "shell/SaverSettings.h"
#include "shell/SaverWnd.h"

namespace vireluna {
namespace {

constexpr std::size_t SwitchArgument = 1;
constexpr std::size_t HostWindowArgument = 2;

}  // namespace

CSaverApp::CSaverApp(SaverSystem& system, Random& random) : system_(system), random_(random) {}

bool CSaverApp::InitInstance(const std::vector<std::string>& arguments) {
    ProfileStore& profile = system_.OpenProfile();
    const std::optional<std::string> seedVariable = system_.Environment(SeedVariable);
    random_.Seed(
        ChooseSeed(seedVariable ? std::optional<std::string_view>(*seedVariable) : std::nullopt,
                   system_.SecondsNow()));
    if (const std::optional<std::string> ticks = system_.Environment(TicksVariable)) {
        ticks_ = TickLimit(ParseTickCount(*ticks));
    }

    if (arguments.size() <= SwitchArgument || MatchSwitch(arguments[SwitchArgument], 'c')) {
        system_.ShowAboutBox();
        return false;
    }
    const std::string& switchText = arguments[SwitchArgument];
    if (MatchSwitch(switchText, 'p')) return StartPreview(profile, arguments);
    if (MatchSwitch(switchText, 's')) {
        if (!CheckPlaylistFiles(profile)) return false;
        return system_.CreateFullScreenWindow(profile, random_, ticks_);
    }
    return false;
}

bool CSaverApp::StartPreview(ProfileStore& profile, const std::vector<std::string>& arguments) {
    // A preview needs a host window: without one there is nothing to show and nobody to
    // tell, so the program ends quietly before anything else.
    if (arguments.size() <= HostWindowArgument) return false;
    const std::optional<std::int64_t> host = ParseWindowHandle(arguments[HostWindowArgument]);
    if (!host || !system_.IsWindowHandle(*host)) return false;
    if (!CheckPlaylistFiles(profile)) return false;
    return system_.CreatePreviewWindow(*host, profile, random_, ticks_);
}

bool CSaverApp::CheckPlaylistFiles(ProfileStore& profile) {
    // Exactly the entries the saver will play: File01 always, then up to the first empty one.
    // An entry after a gap is never played, so it cannot keep the saver from starting.
    const Playlist playlist = ReadPlaylist(profile);
    std::string missing;
    for (std::int32_t i = 0; i < playlist.fileCount; ++i) {
        const std::string& path = playlist.paths[static_cast<std::size_t>(i)];
        // A path the saver could not open is refused here, not on every pass of the cycle.
        if (path.empty() || !PathWithinLimit(path, system_.DesignPathLimit()) ||
            !system_.DirectorySearchFinds(path)) {
            missing += path;
            missing += '\n';
        }
    }
    if (missing.empty()) return true;
    system_.ShowMessageBox(std::string(MissingFilesHeading) + missing, ApplicationTitle,
                           MessageIcon::Stop);
    return false;
}

}  // namespace vireluna
