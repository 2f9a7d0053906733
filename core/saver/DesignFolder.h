#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/ports/FileSystem.h"
#include "core/ports/PathLimit.h"

namespace vireluna {

// The design files in a folder and its sub-folders, as last read. Each design costs its path
// after the folder's own, a terminating zero and a four-byte index.
class DesignFolder {
  public:
    DesignFolder() = default;
    explicit DesignFolder(std::string utf8Folder) : root_(std::move(utf8Folder)) {}

    // Reads the folder anew: every file whose name a design format takes, within the path
    // limit, up to maxDesigns. False when the folder itself cannot be read; it then holds no
    // design.
    bool Read(FileSystem& files, PathLimit limit, std::uint32_t maxDesigns);

    const std::string& Root() const { return root_; }
    std::uint32_t Count() const { return static_cast<std::uint32_t>(starts_.size()); }
    // The full path of design i, with its terminating zero, into target; false (target then
    // empty) when it does not fit.
    bool CopyPath(std::uint32_t i, std::span<char> target) const;
    std::string Path(std::uint32_t i) const;
    // The bytes that hold the designs' paths and indexes.
    std::size_t MemoryBytes() const {
        return tails_.capacity() + starts_.capacity() * sizeof(std::uint32_t);
    }

  private:
    std::string root_;
    std::string tails_;                  // each design's path after root_, each ended by a zero
    std::vector<std::uint32_t> starts_;  // where each design's tail starts in tails_
};

enum class FolderLook { CannotBeRead, NoDesign, HasDesign };

// Whether the folder can be read and holds a design; the walk stops at the first design.
FolderLook LookIntoFolder(FileSystem& files, const std::string& utf8Folder, PathLimit limit);

}  // namespace vireluna
