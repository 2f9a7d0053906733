#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ports/ProfileStore.h"
#include "core/presentation/MachinePlayback.h"
#include "core/presentation/StitchDrawing.h"

namespace vireluna {

inline constexpr int MaxPlaylistEntries = 20;

// Profile sections and entries.
inline constexpr std::string_view ConfigSection = "Config";
inline constexpr std::string_view FileListSection = "Display File List";
// The folder whose designs are played with the listed files; empty or missing: none.
inline constexpr std::string_view FolderEntry = "Folder";

// What the full-screen saver shows on the monitors other than the primary, as stored in
// "Monitors".
enum class OtherMonitors : std::int32_t {
    Stitch = 0,  // each plays its own run of the playlist
    Plain = 1,   // the plain field colour
};

// Whether a design too large for its screen is shrunk to fit, as stored in "Fit".
enum class FitToScreen : std::int32_t {
    Off = 0,  // shown at its size; placement may leave part of it off the screen
    On = 1,   // shrunk, keeping its proportions, to fit inside a margin of the screen
};

// The drawing settings as used at run time: the six of the option page, then the four of
// the display page.
struct SaverSettings {
    std::int32_t stitchesPerTick;
    std::int32_t HoldTime;
    std::int32_t Reduction;
    std::int32_t timerPeriod;  // milliseconds
    std::int32_t Rotation;
    std::int32_t PenSize;
    OtherMonitors monitors = OtherMonitors::Stitch;
    StitchLook look = StitchLook::Flat;
    FitToScreen fit = FitToScreen::Off;
    Playback playback = Playback::Exact;
};

struct Playlist {
    std::int32_t fileCount = 0;
    std::array<std::string, MaxPlaylistEntries> paths;
    // A folder whose designs, in it and below it, play together with the listed files; empty
    // for none. With a folder the list may be empty: File01 empty then lists nothing.
    std::string folder;
};

// The "Config" settings with the meaning they have in the profile, in the order they are
// read. The initial values are the defaults for missing entries.
struct StoredSettings {
    std::int32_t PenSize = 1;     // 0 thin, 1 regular, 2 bold
    std::int32_t Rotation = 2;    // 0 none, 1..3 random rotation ranges
    std::int32_t DrawSpeed = 3;   // tick length in units of TimerUnitMilliseconds
    std::int32_t Reduction = 80;  // percent
    std::int32_t HoldTime = 100;  // ticks
    std::int32_t DrawStep = 2;    // index into StitchesPerDrawStep
    std::int32_t Monitors = static_cast<std::int32_t>(OtherMonitors::Stitch);
    std::int32_t Look = static_cast<std::int32_t>(StitchLook::Flat);
    std::int32_t Fit = static_cast<std::int32_t>(FitToScreen::Off);
    std::int32_t Playback = static_cast<std::int32_t>(vireluna::Playback::Exact);
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
inline constexpr SettingRange MonitorsRange{static_cast<std::int32_t>(OtherMonitors::Stitch),
                                            static_cast<std::int32_t>(OtherMonitors::Plain)};
inline constexpr SettingRange LookRange{static_cast<std::int32_t>(StitchLook::Flat),
                                        static_cast<std::int32_t>(StitchLook::Thread)};
inline constexpr SettingRange FitRange{static_cast<std::int32_t>(FitToScreen::Off),
                                       static_cast<std::int32_t>(FitToScreen::On)};
inline constexpr SettingRange PlaybackRange{static_cast<std::int32_t>(Playback::Exact),
                                            static_cast<std::int32_t>(Playback::Machine)};

// What a stored value outside the usable range becomes. A number is brought to the nearest
// end; a choice has no nearest end (a later version may add a third one), so it gives the
// default.
enum class UnusableValue { NearestEnd, Default };

// One "Config" entry: its name, default, the range the settings pages offer, the range the
// saver uses without a fault, its member, and what an unusable value becomes.
struct StoredSettingField {
    std::string_view entry;
    std::int32_t defaultValue;
    SettingRange range;
    SettingRange usable;
    std::int32_t StoredSettings::*member;
    UnusableValue unusable;
};

// In the order they are read from the profile: the option page's six, then the display
// page's four.
inline constexpr std::array<StoredSettingField, 10> StoredSettingFields{{
    {"PenSize",
     StoredSettings{}.PenSize,
     {0, 2},
     UsablePenSize,
     &StoredSettings::PenSize,
     UnusableValue::NearestEnd},
    {"Rotation",
     StoredSettings{}.Rotation,
     {0, 3},
     AnyValue,
     &StoredSettings::Rotation,
     UnusableValue::NearestEnd},
    {"DrawSpeed",
     StoredSettings{}.DrawSpeed,
     {1, 10},
     UsableDrawSpeed,
     &StoredSettings::DrawSpeed,
     UnusableValue::NearestEnd},
    {"Reduction",
     StoredSettings{}.Reduction,
     {30, 100},
     AnyValue,
     &StoredSettings::Reduction,
     UnusableValue::NearestEnd},
    {"HoldTime",
     StoredSettings{}.HoldTime,
     {50, 500},
     UsableHoldTime,
     &StoredSettings::HoldTime,
     UnusableValue::NearestEnd},
    {"DrawStep",
     StoredSettings{}.DrawStep,
     {0, 3},
     UsableDrawStep,
     &StoredSettings::DrawStep,
     UnusableValue::NearestEnd},
    {"Monitors", StoredSettings{}.Monitors, MonitorsRange, MonitorsRange, &StoredSettings::Monitors,
     UnusableValue::Default},
    {"Look", StoredSettings{}.Look, LookRange, LookRange, &StoredSettings::Look,
     UnusableValue::Default},
    {"Fit", StoredSettings{}.Fit, FitRange, FitRange, &StoredSettings::Fit, UnusableValue::Default},
    {"Playback", StoredSettings{}.Playback, PlaybackRange, PlaybackRange, &StoredSettings::Playback,
     UnusableValue::Default},
}};

// "File01" .. "File20" for k = 1 .. 20.
std::string PlaylistEntryName(int k);

// The "Config" entries as stored, defaults for missing ones, nothing clamped.
StoredSettings ReadStoredSettings(ProfileStore& profile);

// Each value as the saver uses it: as stored, unless it lies outside its usable range; then
// as its field's UnusableValue says.
StoredSettings UsableSettings(const StoredSettings& stored);

// The run-time form of the usable values: DrawSpeed as a timer period, DrawStep as stitches
// per tick, Monitors, Look, Fit and Playback as their choices.
SaverSettings RunTimeSettings(const StoredSettings& stored);

// File01 always counts, defaultDesign when the profile has none; reading stops at the first
// empty entry after it. Then the folder; with one, an empty File01 counts as no file.
Playlist ReadPlaylist(ProfileStore& profile, std::string_view defaultDesign);

// Reads the settings and the playlist once, in the profile's order.
void LoadSaverSettings(ProfileStore& profile, std::string_view defaultDesign,
                       SaverSettings& settings, Playlist& playlist);

}  // namespace vireluna
