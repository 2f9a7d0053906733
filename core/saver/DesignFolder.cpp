#include "core/saver/DesignFolder.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/design/DesignFileNames.h"

namespace vireluna {
namespace {

// The designs a folder can hold before the tails' offsets would overflow.
constexpr std::size_t MaxTailBytes = std::numeric_limits<std::uint32_t>::max();

bool Playable(const std::string& path, PathLimit limit) {
    return IsDesignFileName(path) && PathWithinLimit(path, limit);
}

}  // namespace

bool DesignFolder::Read(FileSystem& files, PathLimit limit, std::uint32_t maxDesigns) {
    tails_.clear();
    starts_.clear();
    const bool read = files.ListFilesBelow(root_, [&](const std::string& path) {
        // Every path the walk gives begins with the folder as it was given.
        if (!Playable(path, limit) || path.size() <= root_.size()) return true;
        const std::size_t tail = path.size() - root_.size();
        if (tails_.size() + tail + 1 > MaxTailBytes) return false;
        starts_.push_back(static_cast<std::uint32_t>(tails_.size()));
        tails_.append(path, root_.size(), tail);
        tails_.push_back('\0');
        return starts_.size() < maxDesigns;
    });
    if (!read) {
        tails_.clear();
        starts_.clear();
    }
    // A pass over a smaller folder gives back what a larger one took.
    tails_.shrink_to_fit();
    starts_.shrink_to_fit();
    return read;
}

bool DesignFolder::CopyPath(std::uint32_t i, std::span<char> target) const {
    if (target.empty()) return false;
    const char* tail = tails_.data() + starts_[i];
    const std::size_t tailSize = std::strlen(tail);
    if (root_.size() + tailSize >= target.size()) {
        target[0] = '\0';
        return false;
    }
    std::copy(root_.begin(), root_.end(), target.begin());
    std::copy(tail, tail + tailSize + 1,
              target.begin() + static_cast<std::ptrdiff_t>(root_.size()));
    return true;
}

std::string DesignFolder::Path(std::uint32_t i) const {
    return root_ + (tails_.data() + starts_[i]);
}

FolderLook LookIntoFolder(FileSystem& files, const std::string& utf8Folder, PathLimit limit) {
    bool found = false;
    const bool read = files.ListFilesBelow(utf8Folder, [&](const std::string& path) {
        found = Playable(path, limit);
        return !found;
    });
    if (!read) return FolderLook::CannotBeRead;
    return found ? FolderLook::HasDesign : FolderLook::NoDesign;
}

}  // namespace vireluna
