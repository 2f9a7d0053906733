#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ProfileStore.h"

namespace vireluna {

inline constexpr int MaxPlaylistEntries = 20;

// Profile sections and entries.
inline constexpr std::string_view ConfigSection = "Config";
inline constexpr std::string_view FileListSection = "Display File List";

// The six drawing settings as used at run time.
struct SaverSettings {
    std::int32_t stitchesPerTick;
    std::int32_t HoldTime;
    std::int32_t Reduction;
    std::int32_t timerPeriod;  // milliseconds
    std::int32_t Rotation;
    std::int32_t PenSize;
};

struct Playlist {
    std::int32_t fileCount = 0;
    std::array<std::string, MaxPlaylistEntries> paths;
};

// The default first playlist entry on this platform.
std::string DefaultDesignPath();

// "File01" .. "File20" for k = 1 .. 20.
std::string PlaylistEntryName(int k);

// Reads the settings and the playlist once, in the profile's order.
void LoadSaverSettings(ProfileStore& profile, SaverSettings& settings, Playlist& playlist);

}  // namespace vireluna
