#include "shell/SaverSettings.h"

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
// design); only values that would break the saver are brought to the nearest usable one.
StoredSettings UsableSettings(const StoredSettings& stored) {
    StoredSettings usable = stored;
    for (const StoredSettingField& field : StoredSettingFields) {
        usable.*field.member = std::clamp(stored.*field.member, field.usable.min, field.usable.max);
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
    return playlist;
}

void LoadSaverSettings(ProfileStore& profile, std::string_view defaultDesign,
                       SaverSettings& settings, Playlist& playlist) {
    const StoredSettings stored = ReadStoredSettings(profile);
    playlist = ReadPlaylist(profile, defaultDesign);
    settings = RunTimeSettings(stored);
}

}  // namespace vireluna
