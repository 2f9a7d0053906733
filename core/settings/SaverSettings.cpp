#include "core/settings/SaverSettings.h"

#include <algorithm>
#include <cstdio>

namespace vireluna {

std::string PlaylistEntryName(int k) {
    char name[16];  // "File" + the longest int + terminator
    std::snprintf(name, sizeof name, "File%02d", k);
    return name;
}

StoredSettings ReadStoredSettings(ProfileStore& profile) {
    StoredSettings stored;
    for (const StoredSettingField& field : StoredSettingFields) {
        stored.*field.member = profile.ReadInteger(ConfigSection, field.entry, field.defaultValue);
    }
    return stored;
}

// A hand-edited profile may hold anything. Values outside the option page's ranges keep
// their meaning (HoldTime 0: no hold; Rotation 7: the full turn; Reduction 500: a larger
// design); only values that would break the saver are replaced: a number by the nearest
// usable one, a choice the saver does not know by its default.
StoredSettings UsableSettings(const StoredSettings& stored) {
    StoredSettings usable = stored;
    for (const StoredSettingField& field : StoredSettingFields) {
        const std::int32_t value = stored.*field.member;
        if (value >= field.usable.min && value <= field.usable.max) continue;
        usable.*field.member = field.unusable == UnusableValue::Default
                                   ? field.defaultValue
                                   : std::clamp(value, field.usable.min, field.usable.max);
    }
    return usable;
}

SaverSettings RunTimeSettings(const StoredSettings& stored) {
    const StoredSettings usable = UsableSettings(stored);
    SaverSettings settings{};
    settings.stitchesPerTick = StitchesPerDrawStep[static_cast<std::size_t>(usable.DrawStep)];
    settings.HoldTime = usable.HoldTime;
    settings.Reduction = usable.Reduction;
    settings.timerPeriod = usable.DrawSpeed * TimerUnitMilliseconds;
    settings.Rotation = usable.Rotation;
    settings.PenSize = usable.PenSize;
    settings.monitors = static_cast<OtherMonitors>(usable.Monitors);
    settings.look = static_cast<StitchLook>(usable.Look);
    settings.fit = static_cast<FitToScreen>(usable.Fit);
    settings.playback = static_cast<Playback>(usable.Playback);
    return settings;
}

Playlist ReadPlaylist(ProfileStore& profile, std::string_view defaultDesign) {
    Playlist playlist;
    playlist.paths[0] = profile.ReadString(FileListSection, PlaylistEntryName(1), defaultDesign);
    playlist.fileCount = 1;
    for (int k = 2; k <= MaxPlaylistEntries; ++k) {
        std::string& path = playlist.paths[static_cast<std::size_t>(k - 1)];
        path = profile.ReadString(FileListSection, PlaylistEntryName(k), "");
        if (path.empty()) break;
        ++playlist.fileCount;
    }
    playlist.folder = profile.ReadString(FileListSection, FolderEntry, "");
    // The folder alone is a collection; without one an empty File01 is an entry, which the
    // start-up check names as missing.
    if (!playlist.folder.empty() && playlist.paths[0].empty()) playlist.fileCount = 0;
    return playlist;
}

void LoadSaverSettings(ProfileStore& profile, std::string_view defaultDesign,
                       SaverSettings& settings, Playlist& playlist) {
    const StoredSettings stored = ReadStoredSettings(profile);
    playlist = ReadPlaylist(profile, defaultDesign);
    settings = RunTimeSettings(stored);
}

}  // namespace vireluna
