#include "core/saver/FolderListing.h"

namespace vireluna {

std::shared_ptr<const DesignFolder> FolderListing::ForNextPass(const std::string& utf8Folder,
                                                               std::uint64_t& seen,
                                                               FileSystem& files, PathLimit limit,
                                                               std::uint32_t maxDesigns) {
    if (latest_ && seen != readings_) {
        seen = readings_;
        return latest_;
    }
    // No run plays over the last reading any more: read into it rather than beside it, so a
    // lone run never holds two listings.
    if (!latest_ || latest_.use_count() > 1) latest_ = std::make_shared<DesignFolder>(utf8Folder);
    latest_->Read(files, limit, maxDesigns);
    seen = ++readings_;
    return latest_;
}

}  // namespace vireluna
