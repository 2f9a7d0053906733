#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ProfileStore.h"
#include "presentation/StitchDrawing.h"

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

// The six settings with the meaning they have in the profile, in the order they are read.
// The initial values are the defaults for missing entries.
struct StoredSettings {
    std::int32_t PenSize = 1;     // 0 thin, 1 regular, 2 bold
    std::int32_t Rotation = 2;    // 0 none, 1..3 random rotation ranges
    std::int32_t DrawSpeed = 3;   // tick length in units of TimerUnitMilliseconds
    std::int32_t Reduction = 80;  // percent
    std::int32_t HoldTime = 100;  // ticks
    std::int32_t DrawStep = 2;    // index into StitchesPerDrawStep
    bool operator==(const StoredSettings&) const = default;
};

struct SettingRange {
    std::int32_t min;
    std::int32_t max;
};

inline constexpr std::int32_t TimerUnitMilliseconds = 10;
// Indexed by DrawStep; the fastest step skips 4 on purpose.
inline constexpr std::array<std::int32_t, 4> StitchesPerDrawStep{1, 2, 3, 5};

// The values the saver can use as they stand. A stored value outside this range would be a
// fault (a negative pen width, a timer of 0 ms, a hold that never ends, a DrawStep without a
// stitch count, an overflowing timer period) and is brought to the nearest end of it. Values
// merely outside the option page's range keep the meaning they have.
inline constexpr SettingRange AnyValue{INT32_MIN, INT32_MAX};
inline constexpr SettingRange UsablePenSize{0, MaxPenWidth - 1};
inline constexpr SettingRange UsableDrawSpeed{1, INT32_MAX / TimerUnitMilliseconds};
inline constexpr SettingRange UsableHoldTime{0, INT32_MAX};
inline constexpr SettingRange UsableDrawStep{0, StitchesPerDrawStep.size() - 1};

// One "Config" entry: its name, default, the range the option page offers, the range the
// saver uses without a fault, and its member.
struct StoredSettingField {
    std::string_view entry;
    std::int32_t defaultValue;
    SettingRange range;
    SettingRange usable;
    std::int32_t StoredSettings::*member;
};

// In the order they are read from the profile.
inline constexpr std::array<StoredSettingField, 6> StoredSettingFields{{
    {"PenSize", StoredSettings{}.PenSize, {0, 2}, UsablePenSize, &StoredSettings::PenSize},
    {"Rotation", StoredSettings{}.Rotation, {0, 3}, AnyValue, &StoredSettings::Rotation},
    {"DrawSpeed", StoredSettings{}.DrawSpeed, {1, 10}, UsableDrawSpeed, &StoredSettings::DrawSpeed},
    {"Reduction", StoredSettings{}.Reduction, {30, 100}, AnyValue, &StoredSettings::Reduction},
    {"HoldTime", StoredSettings{}.HoldTime, {50, 500}, UsableHoldTime, &StoredSettings::HoldTime},
    {"DrawStep", StoredSettings{}.DrawStep, {0, 3}, UsableDrawStep, &StoredSettings::DrawStep},
}};

// "File01" .. "File20" for k = 1 .. 20.
std::string PlaylistEntryName(int k);

// The six "Config" entries as stored, defaults for missing ones, nothing clamped.
StoredSettings ReadStoredSettings(ProfileStore& profile);

// Each value as the saver uses it: as stored, unless it lies outside its usable range.
StoredSettings UsableSettings(const StoredSettings& stored);

// The run-time form of the usable values: DrawSpeed as a timer period, DrawStep as stitches
// per tick.
SaverSettings RunTimeSettings(const StoredSettings& stored);

// File01 always counts, defaultDesign when the profile has none; reading stops at the first
// empty entry after it.
Playlist ReadPlaylist(ProfileStore& profile, std::string_view defaultDesign);

// Reads the settings and the playlist once, in the profile's order.
void LoadSaverSettings(ProfileStore& profile, std::string_view defaultDesign,
                       SaverSettings& settings, Playlist& playlist);

}  // namespace vireluna
