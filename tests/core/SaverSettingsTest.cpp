#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {
namespace {

using Read = MemoryProfileStore::Read;

// What the system names as the first entry of a profile that has none.
constexpr std::string_view DefaultDesign = "C:\\Designs\\logo.pxs";

struct Loaded {
    SaverSettings settings{};
    Playlist playlist;
};

Loaded Load(MemoryProfileStore& profile) {
    Loaded loaded;
    LoadSaverSettings(profile, DefaultDesign, loaded.settings, loaded.playlist);
    return loaded;
}

// PenSize, Rotation, timerPeriod, Reduction, HoldTime, stitchesPerTick.
std::array<std::int32_t, 6> Values(const SaverSettings& s) {
    return {s.PenSize, s.Rotation, s.timerPeriod, s.Reduction, s.HoldTime, s.stitchesPerTick};
}

std::vector<Read> ConfigReads() {
    std::vector<Read> reads;
    for (const char* entry : {"PenSize", "Rotation", "DrawSpeed", "Reduction", "HoldTime",
                              "DrawStep", "Monitors", "Look", "Fit", "Playback"}) {
        reads.push_back({"Config", entry});
    }
    return reads;
}

// Built by appending: GCC 12 for i686 warns falsely (-Wrestrict) on "literal" + string.
std::string NumberedDesign(int k) {
    std::string path = "/designs/";
    path += std::to_string(k);
    path += ".pxs";
    return path;
}

void SetFiles(MemoryProfileStore& profile, int first, int last) {
    for (int k = first; k <= last; ++k) {
        ASSERT_TRUE(profile.WriteString(FileListSection, PlaylistEntryName(k), NumberedDesign(k)));
    }
}

TEST(LoadSaverSettings, EmptyProfileGivesDefaultsInReadingOrder) {
    MemoryProfileStore profile;
    const Loaded loaded = Load(profile);

    EXPECT_EQ(Values(loaded.settings), (std::array<std::int32_t, 6>{1, 2, 30, 80, 100, 3}));
    EXPECT_EQ(loaded.settings.monitors, OtherMonitors::Stitch);
    EXPECT_EQ(loaded.settings.look, StitchLook::Flat);
    EXPECT_EQ(loaded.playlist.fileCount, 1);
    EXPECT_EQ(loaded.playlist.paths[0], DefaultDesign);

    std::vector<Read> expected = ConfigReads();
    expected.push_back({"Display File List", "File01"});
    expected.push_back({"Display File List", "File02"});
    expected.push_back({"Display File List", "Folder"});
    EXPECT_EQ(profile.Reads(), expected);
}

TEST(LoadSaverSettings, StoredEmptyFirstEntryCountsAndIsNotReplacedByDefault) {
    MemoryProfileStore profile;
    ASSERT_TRUE(profile.WriteString(FileListSection, "File01", ""));
    ASSERT_TRUE(profile.WriteString(FileListSection, "File02", "/designs/2.pxs"));
    const Loaded loaded = Load(profile);
    EXPECT_EQ(loaded.playlist.fileCount, 2);
    EXPECT_EQ(loaded.playlist.paths[0], "");
    EXPECT_EQ(loaded.playlist.paths[1], "/designs/2.pxs");
}

// Entries are read up to the first empty one, or the twentieth, and not one further.
TEST(LoadSaverSettings, PlaylistReadingStopsAtTheFirstEmptyEntryOrAfterTwenty) {
    for (const int gap : {6, 0}) {
        SCOPED_TRACE(gap);
        MemoryProfileStore profile;
        SetFiles(profile, 1, 21);
        if (gap != 0) {
            ASSERT_TRUE(profile.WriteString(FileListSection, PlaylistEntryName(gap), ""));
        }
        const Loaded loaded = Load(profile);

        const int read = gap != 0 ? gap : MaxPlaylistEntries;
        const int files = gap != 0 ? gap - 1 : MaxPlaylistEntries;
        EXPECT_EQ(loaded.playlist.fileCount, files);
        for (int k = 0; k < MaxPlaylistEntries; ++k) {
            EXPECT_EQ(loaded.playlist.paths[k], k < files ? NumberedDesign(k + 1) : "");
        }
        // The folder is read after the list.
        const std::vector<Read>& reads = profile.Reads();
        EXPECT_EQ(reads[reads.size() - 2], (Read{"Display File List", PlaylistEntryName(read)}));
        EXPECT_EQ(reads.back(), (Read{"Display File List", "Folder"}));
        EXPECT_EQ(reads.size(), ConfigReads().size() + read + 1);
    }
}

TEST(LoadSaverSettings, DrawSpeedAndDrawStepBecomeRunTimeValues) {
    struct Case {
        std::int32_t drawSpeed, drawStep, timerPeriod, stitchesPerTick;
    };
    for (const Case& c :
         {Case{1, 0, 10, 1}, Case{10, 1, 100, 2}, Case{4, 2, 40, 3}, Case{7, 3, 70, 5}}) {
        MemoryProfileStore profile;
        ASSERT_TRUE(profile.WriteInteger(ConfigSection, "DrawSpeed", c.drawSpeed));
        ASSERT_TRUE(profile.WriteInteger(ConfigSection, "DrawStep", c.drawStep));
        const Loaded loaded = Load(profile);
        EXPECT_EQ(loaded.settings.timerPeriod, c.timerPeriod) << c.drawSpeed;
        EXPECT_EQ(loaded.settings.stitchesPerTick, c.stitchesPerTick) << c.drawStep;
    }
}

// A hand-edited profile: values beyond the option page keep the meaning they have.
TEST(LoadSaverSettings, ValuesOutsideTheOptionRangesAreKeptAsStored) {
    MemoryProfileStore profile;
    for (const auto& [entry, value] : {std::pair{"PenSize", 5},
                                       {"Rotation", -1},
                                       {"DrawSpeed", 50},
                                       {"Reduction", -40},
                                       {"HoldTime", 0},
                                       {"DrawStep", 3}}) {
        ASSERT_TRUE(profile.WriteInteger(ConfigSection, entry, value));
    }
    EXPECT_EQ(Values(Load(profile).settings), (std::array<std::int32_t, 6>{5, -1, 500, -40, 0, 5}));

    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Reduction", 0));
    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "HoldTime", 5000));
    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Rotation", 7));
    const SaverSettings settings = Load(profile).settings;
    EXPECT_EQ(settings.Reduction, 0);
    EXPECT_EQ(settings.HoldTime, 5000);
    EXPECT_EQ(settings.Rotation, 7);
}

// Only what would break the saver is replaced: a negative or too wide pen, a timer of 0 ms or
// one whose period overflows, a hold that never ends, a DrawStep without a stitch count.
TEST(LoadSaverSettings, ValuesThatWouldBreakTheSaverTakeTheNearestUsableOne) {
    MemoryProfileStore low;
    MemoryProfileStore high;
    for (const StoredSettingField& field : StoredSettingFields) {
        ASSERT_TRUE(low.WriteInteger(ConfigSection, field.entry, INT32_MIN));
        ASSERT_TRUE(high.WriteInteger(ConfigSection, field.entry, INT32_MAX));
    }
    EXPECT_EQ(Values(Load(low).settings),
              (std::array<std::int32_t, 6>{0, INT32_MIN, 10, INT32_MIN, 0, 1}));
    EXPECT_EQ(Values(Load(high).settings),
              (std::array<std::int32_t, 6>{63, INT32_MAX, 2147483640, INT32_MAX, INT32_MAX, 5}));

    struct Case {
        const char* entry;
        std::int32_t stored;
        std::int32_t used;
    };
    for (const Case& c : {Case{"HoldTime", -1, 0}, Case{"DrawSpeed", 0, 1}, Case{"DrawStep", 4, 3},
                          Case{"DrawStep", -1, 0}, Case{"PenSize", -1, 0}, Case{"PenSize", 64, 63},
                          Case{"PenSize", 63, 63}}) {
        MemoryProfileStore profile;
        ASSERT_TRUE(profile.WriteInteger(ConfigSection, c.entry, c.stored));
        const StoredSettings stored = ReadStoredSettings(profile);
        const StoredSettings usable = UsableSettings(stored);
        for (const StoredSettingField& field : StoredSettingFields) {
            const bool guarded = field.entry == c.entry;
            EXPECT_EQ(stored.*field.member, guarded ? c.stored : field.defaultValue);
            EXPECT_EQ(usable.*field.member, guarded ? c.used : field.defaultValue)
                << c.entry << " " << c.stored;
        }
    }
}

// A choice has no nearest end: one the saver does not know (a hand edit, a later version's
// third look) gives the default rather than the other choice.
TEST(LoadSaverSettings, MonitorsAndLookAreChoicesAndUnknownOnesGiveTheDefault) {
    struct Case {
        std::int32_t monitors, look;
        OtherMonitors usedMonitors;
        StitchLook usedLook;
    };
    for (const Case& c : {Case{1, 1, OtherMonitors::Plain, StitchLook::Thread},
                          Case{0, 0, OtherMonitors::Stitch, StitchLook::Flat},
                          Case{2, -1, OtherMonitors::Stitch, StitchLook::Flat},
                          Case{INT32_MIN, 7, OtherMonitors::Stitch, StitchLook::Flat}}) {
        MemoryProfileStore profile;
        ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Monitors", c.monitors));
        ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Look", c.look));
        const SaverSettings settings = Load(profile).settings;
        EXPECT_EQ(settings.monitors, c.usedMonitors) << c.monitors;
        EXPECT_EQ(settings.look, c.usedLook) << c.look;
        EXPECT_EQ(ReadStoredSettings(profile).Look, c.look) << "stored values are kept as read";
    }
}

}  // namespace
}  // namespace vireluna
