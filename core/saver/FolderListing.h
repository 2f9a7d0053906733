#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/ports/FileSystem.h"
#include "core/ports/PathLimit.h"
#include "core/saver/DesignFolder.h"

namespace vireluna {

// The folder's designs as last read, one listing for every run in a window: over several
// monitors the folder is read once per pass, not once a monitor, and held once. A run keeps
// the reading its pass began with, so another run's new reading never changes the pass it is
// in the middle of.
class FolderListing {
  public:
    // The reading of utf8Folder (every run's the same) for a run's next pass. seen is the
    // reading the run's last pass used (0 before its first) and becomes this one's: a reading
    // made since then serves as it is, otherwise the folder is read anew.
    std::shared_ptr<const DesignFolder> ForNextPass(const std::string& utf8Folder,
                                                    std::uint64_t& seen, FileSystem& files,
                                                    PathLimit limit, std::uint32_t maxDesigns);
    // Readings made so far.
    std::uint64_t Readings() const { return readings_; }

  private:
    std::shared_ptr<DesignFolder> latest_;
    std::uint64_t readings_ = 0;
};

}  // namespace vireluna
