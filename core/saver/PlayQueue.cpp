#include "core/saver/PlayQueue.h"

#include "core/presentation/AnimationCycle.h"
#include "core/presentation/CollectionOrder.h"

namespace vireluna {

PlayQueue::PlayQueue(const Playlist& playlist, FileSystem& files, Random& random,
                     FolderListing* listing)
    : playlist_(playlist),
      files_(files),
      random_(random),
      pathLimit_(files.DesignPathLimit()),
      listing_(listing) {
    playOrder.fill(EmptySlot);
}

Pick PlayQueue::LoadNext(std::span<char> currentPath, const std::function<bool()>& load) {
    if (!started_) {
        // The playlist is read by now: the first advance wraps round and shuffles.
        playPosition = playlist_.fileCount - 1;
        if (PlaysCollection() && listing_ == nullptr) {
            ownListing_ = std::make_unique<FolderListing>();
            listing_ = ownListing_.get();
        }
        started_ = true;
    }
    return PlaysCollection() ? FromCollection(currentPath, load) : FromList(currentPath, load);
}

Pick PlayQueue::Loaded() {
    failedSinceLastLoad_ = 0;
    folderFailuresInPass_ = 0;
    loadedInPass_ = true;
    return Pick::Loaded;
}

Pick PlayQueue::FromList(std::span<char> currentPath, const std::function<bool()>& load) {
    if (AdvancePlayPosition(playPosition, playlist_.fileCount)) ShufflePlayOrder();
    return LoadListed(playOrder[playPosition], currentPath, load) ? Loaded() : Pick::ListedFailed;
}

void PlayQueue::ShufflePlayOrder() {
    ShuffleOrder(playOrder, playlist_.fileCount, random_);
}

bool PlayQueue::LoadListed(std::int32_t entry, std::span<char> currentPath,
                           const std::function<bool()>& load) {
    if (CopyDesignPath(playlist_.paths[entry], pathLimit_, currentPath) && load()) return true;
    failedSinceLastLoad_ |= 1u << entry;
    failedEntry_ = entry;
    return false;
}

// A listed file that fails is named as without a folder; a folder design that fails is passed
// over silently.
Pick PlayQueue::FromCollection(std::span<char> currentPath, const std::function<bool()>& load) {
    if (!collectionStarted_ || collectionPosition_ + 1 >= collectionOrder_.size()) {
        StartCollectionPass();
    } else {
        ++collectionPosition_;
    }
    if (collectionOrder_.empty()) return Pick::NothingToPlay;
    const auto listed = static_cast<std::uint32_t>(playlist_.fileCount);
    for (int tried = 1;; ++tried) {
        const std::uint32_t entry = collectionOrder_[collectionPosition_];
        if (entry < listed) {
            return LoadListed(static_cast<std::int32_t>(entry), currentPath, load)
                       ? Loaded()
                       : Pick::ListedFailed;
        }
        if (folder_->CopyPath(entry - listed, currentPath) && load()) return Loaded();
        ++folderFailuresInPass_;
        // The next pass starts on a tick of its own, with the folder read again; after a pass
        // that played nothing, only once the caller has waited.
        if (collectionPosition_ + 1 >= collectionOrder_.size()) {
            return loadedInPass_ ? Pick::Skipped : Pick::NothingPlayed;
        }
        if (tried == MaxFolderDesignsTriedPerTick) return Pick::Skipped;
        ++collectionPosition_;
    }
}

// Designs added or removed since the last pass are found here. A folder that cannot be read
// (gone, unmounted) gives none this pass; the listed files still play.
void PlayQueue::StartCollectionPass() {
    const auto listed = static_cast<std::uint32_t>(playlist_.fileCount);
    folder_.reset();  // the listing may read into the one this run no longer plays
    folder_ = listing_->ForNextPass(playlist_.folder, folderReading_, files_, pathLimit_,
                                    MaxCollectionEntries - listed);
    ShuffleCollection(collectionOrder_, listed + folder_->Count(), random_);
    collectionPosition_ = 0;
    collectionStarted_ = true;
    loadedInPass_ = false;
    folderFailuresInPass_ = 0;
}

bool PlayQueue::NothingCanBePlayed() const {
    const std::uint32_t everyEntry = (1u << playlist_.fileCount) - 1;
    const bool listedFailed = (failedSinceLastLoad_ & everyEntry) == everyEntry;
    if (!PlaysCollection()) return listedFailed;
    return listedFailed && collectionStarted_ && folderFailuresInPass_ >= folder_->Count();
}

const DesignFolder& PlayQueue::Folder() const {
    static const DesignFolder none;
    return folder_ ? *folder_ : none;
}

}  // namespace vireluna
