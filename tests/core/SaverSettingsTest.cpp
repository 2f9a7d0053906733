#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/MemoryProfileStore.h"
#include "shell/SaverSettings.h"

namespace vireluna {
namespace {

using Read = MemoryProfileStore::Read;

struct Loaded {
    SaverSettings settings{};
    Playlist playlist;
};

Loaded Load(MemoryProfileStore& profile) {
    Loaded loaded;
    LoadSaverSettings(profile, loaded.settings, loaded.playlist);
    return loaded;
}

// PenSize, Rotation, timerPeriod, Reduction, HoldTime, stitchesPerTick.
std::array<std::int32_t, 6> Values(const SaverSettings& s) {
    return {s.PenSize, s.Rotation, s.timerPeriod, s.Reduction, s.HoldTime, s.stitchesPerTick};
}

std::vector<Read> ConfigReads() {
    std::vector<Read> reads;
    for (const char* entry :
         {"PenSize", "Rotation", "DrawSpeed", "Reduction", "HoldTime", "DrawStep"}) {
        reads.push_back({"Config", entry});
    }
    return reads;
}

void SetFiles(MemoryProfileStore& profile, int first, int last) {
    for (int k = first; k <= last; ++k) {
        ASSERT_TRUE(profile.WriteString(FileListSection, PlaylistEntryName(k),
                                        "/designs/" + std::to_string(k) + ".pxs"));
    }
}

TEST(LoadSaverSettings, EmptyProfileGivesDefaultsInReadingOrder) {
    MemoryProfileStore profile;
    const Loaded loaded = Load(profile);

    EXPECT_EQ(Values(loaded.settings), (std::array<std::int32_t, 6>{1, 2, 30, 80, 100, 3}));
    EXPECT_EQ(loaded.playlist.fileCount, 1);
    EXPECT_EQ(loaded.playlist.paths[0], DefaultDesignPath());

    std::vector<Read> expected = ConfigReads();
    expected.push_back({"Display File List", "File01"});
    expected.push_back({"Display File List", "File02"});
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

TEST(LoadSaverSettings, ReadingStopsAtTheFirstEmptyEntry) {
    MemoryProfileStore profile;
    SetFiles(profile, 1, 5);
    ASSERT_TRUE(profile.WriteString(FileListSection, "File06", ""));
    SetFiles(profile, 7, 9);
    const Loaded loaded = Load(profile);

    EXPECT_EQ(loaded.playlist.fileCount, 5);
    EXPECT_EQ(loaded.playlist.paths[4], "/designs/5.pxs");
    EXPECT_EQ(loaded.playlist.paths[5], "");
    EXPECT_EQ(loaded.playlist.paths[6], "");
    EXPECT_EQ(profile.Reads().back(), (Read{"Display File List", "File06"}));
    EXPECT_EQ(profile.Reads().size(), ConfigReads().size() + 6);
}

TEST(LoadSaverSettings, TwentyEntriesAreAllReadAndNothingAfterThem) {
    MemoryProfileStore profile;
    SetFiles(profile, 1, 21);
    const Loaded loaded = Load(profile);

    EXPECT_EQ(loaded.playlist.fileCount, 20);
    EXPECT_EQ(loaded.playlist.paths[8], "/designs/9.pxs");
    EXPECT_EQ(loaded.playlist.paths[19], "/designs/20.pxs");
    EXPECT_EQ(profile.Reads().back(), (Read{"Display File List", "File20"}));
    EXPECT_EQ(profile.Reads().size(), ConfigReads().size() + 20);
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

TEST(LoadSaverSettings, ValuesOutsideTheOptionRangesAreClampedToTheirEnds) {
    MemoryProfileStore low;
    MemoryProfileStore high;
    for (const StoredSettingField& field : StoredSettingFields) {
        ASSERT_TRUE(low.WriteInteger(ConfigSection, field.entry, INT32_MIN));
        ASSERT_TRUE(high.WriteInteger(ConfigSection, field.entry, field.range.max + 1));
    }
    EXPECT_EQ(Values(Load(low).settings), (std::array<std::int32_t, 6>{0, 0, 10, 30, 50, 1}));
    EXPECT_EQ(Values(Load(high).settings), (std::array<std::int32_t, 6>{2, 3, 100, 100, 500, 5}));

    // The stored values themselves are read as they stand.
    EXPECT_EQ(ReadStoredSettings(high).DrawSpeed, 11);
}

}  // namespace
}  // namespace vireluna
