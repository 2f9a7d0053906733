#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "core/design/DesignLimits.h"
#include "core/ports/FileSystem.h"
#include "core/ports/PathLimit.h"
#include "core/ports/Random.h"
#include "core/saver/DesignFolder.h"
#include "core/saver/FolderListing.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {

// The folder designs that a start tick passes over, when they cannot be loaded, before it
// leaves the rest to the next tick: a collection's odd bad file costs no tick of its own,
// and a folder of bad files cannot stall one.
inline constexpr int MaxFolderDesignsTriedPerTick = 16;

// What choosing the next design came to.
enum class Pick {
    Loaded,         // a design was loaded
    ListedFailed,   // a listed file could not be loaded: it is to be named
    Skipped,        // folder designs could not be loaded and were passed over; more remain
    NothingToPlay,  // the pass holds nothing (an empty folder, nothing listed)
    NothingPlayed,  // the pass is over and not one of its entries could be loaded
};

// What plays next: the playlist in its shuffled order or, with a folder, the listed files and
// the folder's designs in one uniform order per pass, with what has failed to load.
class PlayQueue {
  public:
    // listing: the folder's listing the runs of a window share; null to keep one of its own.
    // The playlist may be filled in until the first LoadNext.
    PlayQueue(const Playlist& playlist, FileSystem& files, Random& random,
              FolderListing* listing = nullptr);

    // Chooses the next entry, copies its path into currentPath and calls load, which reads
    // the file named there; with a folder, goes on past folder designs that fail.
    Pick LoadNext(std::span<char> currentPath, const std::function<bool()>& load);

    // True when every entry of the playlist has failed to load since the last design that
    // loaded, and with a folder every design of the folder in this pass too (or there is none).
    bool NothingCanBePlayed() const;
    // The listed entry that failed last, as the playlist holds it.
    std::int32_t FailedEntry() const { return failedEntry_; }

    const std::array<std::int32_t, MaxPlaylistEntries>& PlayOrder() const { return playOrder; }
    bool PlaysCollection() const { return !playlist_.folder.empty(); }
    // The order of the pass: listed files 0 .. fileCount-1, then the folder's designs.
    const std::vector<std::uint32_t>& CollectionOrder() const { return collectionOrder_; }
    std::uint32_t CollectionPosition() const { return collectionPosition_; }
    // The folder as read for this pass.
    const DesignFolder& Folder() const;

  private:
    Pick FromList(std::span<char> currentPath, const std::function<bool()>& load);
    Pick FromCollection(std::span<char> currentPath, const std::function<bool()>& load);
    bool LoadListed(std::int32_t entry, std::span<char> currentPath,
                    const std::function<bool()>& load);
    void ShufflePlayOrder();
    void StartCollectionPass();
    Pick Loaded();

    const Playlist& playlist_;
    FileSystem& files_;
    Random& random_;
    PathLimit pathLimit_;

    bool started_ = false;
    std::int32_t playPosition = 0;
    std::array<std::int32_t, MaxPlaylistEntries> playOrder;
    std::uint32_t failedSinceLastLoad_ = 0;  // one bit per playlist entry
    std::int32_t failedEntry_ = 0;

    // With a folder.
    std::unique_ptr<FolderListing> ownListing_;
    FolderListing* listing_ = nullptr;
    std::shared_ptr<const DesignFolder> folder_;
    std::uint64_t folderReading_ = 0;
    std::vector<std::uint32_t> collectionOrder_;
    std::uint32_t collectionPosition_ = 0;
    bool collectionStarted_ = false;
    bool loadedInPass_ = false;
    std::uint32_t folderFailuresInPass_ = 0;  // since the pass began or a design last loaded
};

}  // namespace vireluna
