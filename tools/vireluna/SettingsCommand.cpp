#include <array>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/ports/ProfileText.h"
#include "core/settings/SaverSettings.h"
#include "core/settings/SettingOptions.h"
#include "systems/posix/IniProfileStore.h"
#include "systems/posix/PosixFileSystem.h"
#include "tools/vireluna/Commands.h"

// `vireluna settings`: the drawing settings and the playlist exactly as the saver
// reads them from the profile, with the profile's location.
namespace vireluna::cli {
namespace {

constexpr int ExitUnreadableProfile = 1;
constexpr int JsonIndent = 2;
// The option page's names for the pen sizes it offers.
// The marks of the two notes under the settings, one each so that a row says which applies.
constexpr char GuardedMark = '*';
constexpr char UnreadableMark = '?';
constexpr std::array<const char*, 3> PenSizeNames = {"thin", "regular", "bold"};

struct SettingsOptions {
    std::string profilePath;
    bool json = false;
};

// The text of each "Config" entry that is stored but is no number the saver reads (it then
// uses the default), in the order of StoredSettingFields.
using UnreadableTexts = std::array<std::optional<std::string>, StoredSettingFields.size()>;

struct SettingsReport {
    std::string location;
    ProfileFileState state;
    int firstErrorLine;
    StoredSettings stored;
    UnreadableTexts unreadable;
    StoredSettings inUse;
    SaverSettings settings;
    Playlist playlist;
};

SettingsReport ReadReport(const SettingsOptions& options) {
    IniProfileStore store =
        options.profilePath.empty() ? IniProfileStore() : IniProfileStore(options.profilePath);
    SettingsReport report{};
    report.location = store.Location();
    report.state = store.FileState();
    report.firstErrorLine = store.FirstErrorLine();
    report.stored = ReadStoredSettings(store);
    for (std::size_t i = 0; i < StoredSettingFields.size(); ++i) {
        const std::string* text = store.StoredText(ConfigSection, StoredSettingFields[i].entry);
        if (text != nullptr && !ParseProfileInteger(*text)) report.unreadable[i] = *text;
    }
    report.inUse = UsableSettings(report.stored);
    LoadSaverSettings(store, PosixFileSystem().DefaultDesignPath(), report.settings,
                      report.playlist);
    return report;
}

const char* StateName(ProfileFileState state) {
    switch (state) {
        case ProfileFileState::Missing:
            return "missing";
        case ProfileFileState::Read:
            return "found";
        case ProfileFileState::Unreadable:
            return "unreadable";
    }
    return "unknown";
}

std::string StateText(const SettingsReport& report) {
    if (report.location.empty()) return "(no home folder found; every entry has its default)";
    switch (report.state) {
        case ProfileFileState::Missing:
            return "(not found; every entry has its default)";
        case ProfileFileState::Read:
            return "(found)";
        case ProfileFileState::Unreadable:
            return "(cannot be read; every entry has its default)";
    }
    return {};
}

// The command line's name of a choice the saver uses; always one of the option's names.
template <typename Choice>
std::string ChoiceName(std::string_view entry, Choice choice) {
    return std::string(OptionOf(entry).names[static_cast<std::size_t>(choice)]);
}

// What each "Config" entry becomes at run time, in the order of StoredSettingFields.
std::string RunTimeText(std::string_view entry, const SaverSettings& settings) {
    if (entry == "Monitors") return "monitors = " + ChoiceName(entry, settings.monitors);
    if (entry == "Look") return "look = " + ChoiceName(entry, settings.look);
    if (entry == "Fit") return "fit = " + ChoiceName(entry, settings.fit);
    if (entry == "Playback") return "playback = " + ChoiceName(entry, settings.playback);
    if (entry == "PenSize") {
        const auto size = static_cast<std::size_t>(settings.PenSize);
        const std::string name =
            size < PenSizeNames.size() ? PenSizeNames[size] + std::string(", ") : std::string();
        return "PenSize = " + std::to_string(settings.PenSize) + " (" + name +
               std::to_string(PenWidthFor(false, settings.PenSize)) + " px)";
    }
    if (entry == "Rotation") return "Rotation = " + std::to_string(settings.Rotation);
    if (entry == "DrawSpeed")
        return "timerPeriod = " + std::to_string(settings.timerPeriod) + " ms";
    if (entry == "Reduction") return "Reduction = " + std::to_string(settings.Reduction) + " %";
    if (entry == "HoldTime") return "HoldTime = " + std::to_string(settings.HoldTime) + " ticks";
    return "stitchesPerTick = " + std::to_string(settings.stitchesPerTick);
}

void PrintText(const SettingsReport& report) {
    std::printf("Profile   %s %s\n", report.location.c_str(), StateText(report).c_str());
    if (report.firstErrorLine != 0) {
        std::printf(
            "          line %d could not be understood and is ignored (later ones may be too)\n",
            report.firstErrorLine);
    }
    std::printf("\n%-10s %7s %7s  %s\n", "Entry", "Stored", "In use", "At run time");
    bool anyGuarded = false;
    bool anyUnreadable = false;
    for (std::size_t i = 0; i < StoredSettingFields.size(); ++i) {
        const StoredSettingField& field = StoredSettingFields[i];
        const std::optional<std::string>& unreadable = report.unreadable[i];
        const std::int32_t inUse = report.inUse.*field.member;
        const bool guarded = !unreadable && report.stored.*field.member != inUse;
        anyGuarded = anyGuarded || guarded;
        anyUnreadable = anyUnreadable || unreadable;
        // Empty text is shown as "" so that the column does not look missing.
        const std::string stored = !unreadable ? std::to_string(report.stored.*field.member)
                                   : unreadable->empty() ? std::string("\"\"")
                                                         : *unreadable;
        std::printf("%-10s %7s %6d%c  %s\n", std::string(field.entry).c_str(), stored.c_str(),
                    inUse,
                    unreadable ? UnreadableMark
                    : guarded  ? GuardedMark
                               : ' ',
                    RunTimeText(field.entry, report.settings).c_str());
    }
    if (anyGuarded) {
        std::printf(
            "%c the stored value would break the saver: the nearest usable number, or the\n"
            "  default choice, is used\n",
            GuardedMark);
    }
    if (anyUnreadable) {
        std::printf("%c not a whole number the saver can read: the default is used\n",
                    UnreadableMark);
    }
    std::printf("\nPlaylist  fileCount = %d\n", report.playlist.fileCount);
    for (int k = 1; k <= report.playlist.fileCount; ++k) {
        const std::string& path = report.playlist.paths[static_cast<std::size_t>(k - 1)];
        std::printf("  %s  %s\n", PlaylistEntryName(k).c_str(),
                    path.empty() ? "(empty)" : path.c_str());
    }
    if (!report.playlist.folder.empty()) {
        std::printf("  %s   %s (and its sub-folders)\n", std::string(FolderEntry).c_str(),
                    report.playlist.folder.c_str());
    }
}

// An entry stored as text that is no number is given as that text, a string.
nlohmann::ordered_json StoredJson(const StoredSettings& values,
                                  const UnreadableTexts& unreadable = {}) {
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < StoredSettingFields.size(); ++i) {
        const StoredSettingField& field = StoredSettingFields[i];
        if (unreadable[i]) {
            object[std::string(field.entry)] = *unreadable[i];
        } else {
            object[std::string(field.entry)] = values.*field.member;
        }
    }
    return object;
}

void PrintJson(const SettingsReport& report) {
    nlohmann::ordered_json out;
    out["profile"] = {{"location", report.location},
                      {"state", StateName(report.state)},
                      {"exists", report.state != ProfileFileState::Missing},
                      {"firstErrorLine", report.firstErrorLine}};
    out["stored"] = StoredJson(report.stored, report.unreadable);
    out["inUse"] = StoredJson(report.inUse);
    const SaverSettings& settings = report.settings;
    out["settings"] = {{"stitchesPerTick", settings.stitchesPerTick},
                       {"HoldTime", settings.HoldTime},
                       {"Reduction", settings.Reduction},
                       {"timerPeriod", settings.timerPeriod},
                       {"Rotation", settings.Rotation},
                       {"PenSize", settings.PenSize},
                       {"monitors", ChoiceName("Monitors", settings.monitors)},
                       {"look", ChoiceName("Look", settings.look)},
                       {"fit", ChoiceName("Fit", settings.fit)},
                       {"playback", ChoiceName("Playback", settings.playback)}};
    nlohmann::ordered_json paths = nlohmann::ordered_json::array();
    for (int k = 0; k < report.playlist.fileCount; ++k) {
        paths.push_back(report.playlist.paths[static_cast<std::size_t>(k)]);
    }
    out["playlist"] = {{"fileCount", report.playlist.fileCount},
                       {"paths", paths},
                       {"folder", report.playlist.folder}};
    // A path need not be valid UTF-8; JSON must be, so such bytes become U+FFFD.
    std::cout << out.dump(JsonIndent, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << '\n';
}

int ShowSettings(const SettingsOptions& options) {
    const SettingsReport report = ReadReport(options);
    if (options.json) {
        PrintJson(report);
    } else {
        PrintText(report);
    }
    std::fflush(stdout);
    if (report.state == ProfileFileState::Unreadable) {
        std::fprintf(stderr, "vireluna settings: cannot read the profile %s\n",
                     report.location.c_str());
        return ExitUnreadableProfile;
    }
    return 0;
}

}  // namespace

void AddSettingsCommand(CLI::App& app, int& exitStatus) {
    auto options = std::make_shared<SettingsOptions>();
    CLI::App* command = app.add_subcommand(
        "settings", "Show the drawing settings and the playlist as the saver reads them");
    command->add_option("--profile", options->profilePath,
                        "INI profile to read instead of the per-user one");
    command->add_flag("--json", options->json, "Print one JSON object");
    command->callback([options, &exitStatus] { exitStatus = ShowSettings(*options); });
}

}  // namespace vireluna::cli
