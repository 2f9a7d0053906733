#include <array>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/design/DesignFileLoader.h"
#include "core/saver/RunControls.h"
#include "core/saver/ScreenSizeText.h"
#include "core/settings/RenderProfile.h"
#include "core/settings/SaverSettings.h"
#include "core/settings/SettingOptions.h"
#include "drivers/headless/RenderSession.h"
#include "systems/posix/PosixFileSystem.h"
#include "systems/posix/PosixInputFile.h"
#include "systems/posix/UserProfile.h"
#include "tools/vireluna/Commands.h"
#include "tools/vireluna/LoadRefusalText.h"
#include "tools/vireluna/ParseAndRun.h"

namespace vireluna::cli {
namespace {

using headless::CheckFilesOpen;
using headless::RenderRequest;
using headless::RenderSummary;

constexpr int ExitFailure = 1;
constexpr std::int32_t FullSize = 100;  // a reduction that leaves the design as it is

// The command-line flag of each "Config" entry that a render may override, shared with the
// X11 saver.
constexpr const auto& OverrideFlags = SettingOptions;

struct RenderArguments {
    std::vector<std::string> files;
    std::string output;
    std::string screen;
    std::string preview;
    std::string monitors;
    std::uint32_t seed = 0;
    std::int32_t ticks = 0;
    std::string profilePath;
    std::string folder;
    std::array<std::int32_t, OverrideFlags.size()> overrides{};
    std::array<std::string, OverrideFlags.size()> overrideNames;  // named choices
    CLI::Option* screenOption = nullptr;
    CLI::Option* previewOption = nullptr;
    CLI::Option* monitorsOption = nullptr;
    CLI::Option* seedOption = nullptr;
    CLI::Option* ticksOption = nullptr;
    CLI::Option* profileOption = nullptr;
    CLI::Option* folderOption = nullptr;
    std::array<CLI::Option*, OverrideFlags.size()> overrideOptions{};
};

// False, with error set, when the arguments make no sense together or in themselves.
bool BuildRequest(const RenderArguments& arguments, RenderRequest& request, std::string& error) {
    if (arguments.files.size() > MaxPlaylistEntries) {
        error = "give 1 to " + std::to_string(MaxPlaylistEntries) + " design files, not " +
                std::to_string(arguments.files.size());
        return false;
    }
    request.files = arguments.files;
    request.output = arguments.output;
    if (arguments.folderOption->count() > 0) {
        if (arguments.folder.empty()) {
            error = "--folder needs a folder";
            return false;
        }
        request.folder = arguments.folder;
    }
    if (arguments.screenOption->count() > 0) {
        const std::optional<ScreenSize> screen = ParseScreenSize(arguments.screen);
        if (!screen) {
            error = "--screen wants WIDTHxHEIGHT (each 1 to " + std::to_string(MaxRenderSide) +
                    "), not '" + arguments.screen + "'";
            return false;
        }
        request.screen = *screen;
    }
    if (arguments.previewOption->count() > 0) {
        const std::optional<ScreenSize> preview = ParseScreenSize(arguments.preview);
        if (!preview) {
            error = "--preview wants WIDTHxHEIGHT (each 1 to " + std::to_string(MaxRenderSide) +
                    "), not '" + arguments.preview + "'";
            return false;
        }
        // A client as wide as the screen is the full-screen window, not a preview.
        if (preview->width >= request.screen.width || preview->height > request.screen.height) {
            error = "--preview must be narrower than the screen and no taller";
            return false;
        }
        request.preview = *preview;
    }
    if (arguments.monitorsOption->count() > 0) {
        if (arguments.screenOption->count() > 0 || arguments.previewOption->count() > 0) {
            error = "--monitors is the whole screen: give it without --screen and --preview";
            return false;
        }
        request.monitors = ParseMonitorList(arguments.monitors);
        if (!request.monitors) {
            error =
                "--monitors wants WIDTHxHEIGHT+X+Y[,WIDTHxHEIGHT+X+Y...] (the primary first; "
                "different rectangles, all within " +
                std::to_string(MaxRenderSide) + " a side; past the " + std::to_string(MaxMonitors) +
                "th they keep the field colour), not '" + arguments.monitors + "'";
            return false;
        }
    }
    request.seed = arguments.seedOption->count() > 0
                       ? arguments.seed
                       : static_cast<std::uint32_t>(std::time(nullptr));
    if (arguments.ticksOption->count() > 0) {
        request.ticks = arguments.ticks;
    }
    for (std::size_t i = 0; i < OverrideFlags.size(); ++i) {
        if (arguments.overrideOptions[i]->count() == 0) continue;
        const SettingOption& option = OverrideFlags[i];
        std::int32_t value = arguments.overrides[i];
        if (option.isSwitch) {
            value = 1;
        } else if (!option.names.empty()) {
            const std::optional<std::int32_t> named =
                ChoiceNamed(option, arguments.overrideNames[i]);
            if (!named) {
                error = std::string(option.flag) + " wants " + NamesText(option) + ", not '" +
                        arguments.overrideNames[i] + "'";
                return false;
            }
            value = *named;
        }
        request.configOverrides[std::string(option.entry)] = value;
    }
    return true;
}

// The entries the saver plays: File01, then the others up to the first empty one.
std::vector<std::string> PlaylistFiles(ProfileStore& profile, FileSystem& files) {
    const Playlist playlist = ReadPlaylist(profile, files.DefaultDesignPath());
    return {playlist.paths.begin(), playlist.paths.begin() + playlist.fileCount};
}

// The listed files the saver would refuse to load, each named with why: a render of them would
// draw nothing. (A folder's designs are passed over as the saver passes them over.)
bool CheckFilesLoad(const std::vector<std::string>& paths, std::string& error) {
    Design design;
    design.records = AllocateStitchArray();
    PosixInputFile file;
    for (const std::string& path : paths) {
        DesignLoadInfo load;
        if (LoadDesignFile(file, path.c_str(), FullSize, design, &load)) continue;
        error = "'" + path + "': ";
        error += load.refusal == LoadRefusal::NotADesignFormat ? NotADesignFormatText()
                 : load.refusal == LoadRefusal::Damaged        ? DamagedDesignText()
                                                               : "cannot be read";
        return false;
    }
    return true;
}

int RunRenderCommand(const RenderArguments& arguments) {
    RenderRequest request;
    std::string error;
    if (!BuildRequest(arguments, request, error)) {
        PrintUsageError("vireluna render", error);
        return ExitUsage;
    }
    std::unique_ptr<ProfileStore> profile = OpenUserProfile(arguments.profilePath, error);
    if (!profile) {
        std::cerr << "vireluna render: " << error << '\n';
        return ExitFailure;
    }
    // No file named: the profile's playlist, as the saver plays it (a folder given alone plays
    // alone), and checked as the saver's start checks it.
    PosixFileSystem files;
    if (request.files.empty() && !request.folder) request.files = PlaylistFiles(*profile, files);
    RenderProfile playlist(*profile, {}, request.files, request.folder);
    if (!CheckFilesOpen(playlist, files, error)) {
        std::cerr << "vireluna render: " << error << '\n';
        return ExitFailure;
    }
    if (!CheckFilesLoad(request.files, error)) {
        std::cerr << "vireluna render: " << error << '\n';
        return ExitFailure;
    }
    RenderSummary summary;
    if (!RunRender(request, *profile, files, std::cerr, summary, error)) {
        std::cerr << "vireluna render: " << error << '\n';
        return ExitFailure;
    }
    std::cout << FormatSummary(summary) << '\n';
    return 0;
}

}  // namespace

void AddRenderCommand(CLI::App& app, int& exitStatus) {
    auto arguments = std::make_shared<RenderArguments>();
    CLI::App* render = app.add_subcommand(
        "render", "draws designs into a PNG exactly as the saver shows them, tick by tick");
    render->add_option("files", arguments->files,
                       "design files: the playlist, 1 to 20 (default: the profile's playlist)");
    arguments->folderOption =
        render->add_option("--folder", arguments->folder,
                           "also play every design in this folder and below (alone when no "
                           "file is given)");
    render->add_option("-o,--output", arguments->output, "the PNG to write")->required();
    arguments->screenOption =
        render->add_option("--screen", arguments->screen, "screen size WIDTHxHEIGHT (1024x768)");
    arguments->previewOption = render->add_option(
        "--preview", arguments->preview, "draw as the preview: a client area WIDTHxHEIGHT");
    arguments->monitorsOption = render->add_option(
        "--monitors", arguments->monitors,
        "full screen over several monitors WxH+X+Y[,WxH+X+Y...], the primary first; the "
        "picture is their bounds; " +
            std::to_string(MaxMonitors) + " play at most, the rest keep the field colour");
    arguments->seedOption =
        render->add_option("--seed", arguments->seed, "random seed (default: the time)");
    arguments->ticksOption =
        render
            ->add_option("--ticks", arguments->ticks,
                         "run this many ticks (default: until the first design is done)")
            ->check(CLI::Range(1, MaxTicksOnRequest));
    arguments->profileOption = render->add_option("--profile", arguments->profilePath,
                                                  "the profile file (default: the user's)");
    for (std::size_t i = 0; i < OverrideFlags.size(); ++i) {
        const SettingOption& option = OverrideFlags[i];
        const StoredSettingField& field = FieldOf(option);
        const std::string flag(option.flag);
        const std::string overrides = "overrides " + std::string(field.entry) + " of the profile";
        if (option.isSwitch) {
            arguments->overrideOptions[i] =
                render->add_flag(flag)->description(overrides + ": " + std::string(option.label));
            continue;
        }
        arguments->overrideOptions[i] =
            option.names.empty() ? render->add_option(flag, arguments->overrides[i],
                                                      overrides + " (the option page offers " +
                                                          std::to_string(field.range.min) + " to " +
                                                          std::to_string(field.range.max) + ")")
                                 : render->add_option(flag, arguments->overrideNames[i],
                                                      overrides + ": " + NamesText(option));
    }
    render->callback([arguments, &exitStatus] { exitStatus = RunRenderCommand(*arguments); });
}

}  // namespace vireluna::cli
