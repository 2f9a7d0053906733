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

// A stored value outside the option page's range is brought to the nearest end of it: no
// value in the profile can then give a zero timer period, an overflowing product or a
// DrawStep without a stitch count.
StoredSettings ClampToOptionRanges(const StoredSettings& stored) {
    StoredSettings clamped = stored;
    for (const StoredSettingField& field : StoredSettingFields) {
        clamped.*field.member = std::clamp(stored.*field.member, field.range.min, field.range.max);
    }
    return clamped;
}

SaverSettings RunTimeSettings(const StoredSettings& stored) {
    const StoredSettings clamped = ClampToOptionRanges(stored);
    SaverSettings settings{};
    settings.stitchesPerTick = StitchesPerDrawStep[static_cast<std::size_t>(clamped.DrawStep)];
    settings.HoldTime = clamped.HoldTime;
    settings.Reduction = clamped.Reduction;
    settings.timerPeriod = clamped.DrawSpeed * TimerUnitMilliseconds;
    settings.Rotation = clamped.Rotation;
    settings.PenSize = clamped.PenSize;
    return settings;
}

Playlist ReadPlaylist(ProfileStore& profile) {
    Playlist playlist;
    playlist.paths[0] =
        profile.ReadString(FileListSection, PlaylistEntryName(1), DefaultDesignPath());
    playlist.fileCount = 1;
    for (int k = 2; k <= MaxPlaylistEntries; ++k) {
        std::string& path = playlist.paths[static_cast<std::size_t>(k - 1)];
        path = profile.ReadString(FileListSection, PlaylistEntryName(k), "");
        if (path.empty()) break;
        ++playlist.fileCount;
    }
    return playlist;
}

void LoadSaverSettings(ProfileStore& profile, SaverSettings& settings, Playlist& playlist) {
    const StoredSettings stored = ReadStoredSettings(profile);
    playlist = ReadPlaylist(profile);
    settings = RunTimeSettings(stored);
}

}  // namespace vireluna
