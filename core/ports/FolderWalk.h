#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vireluna {

// One name in a folder, as the system lists it.
struct FolderEntry {
    enum class Kind { File, Folder, Other };
    std::string utf8Name;
    Kind kind = Kind::Other;  // what the name leads to, a link followed
    bool link = false;        // reached through a symbolic link or a junction
};

// Which folder a path leads to, whatever way it is reached.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    auto operator<=>(const FolderIdentity&) const = default;
};

// What a walk needs of its system: the system calls, no policy.
class FolderSystem {
  public:
    virtual ~FolderSystem() = default;
    // The names of the folder, in any order, without "." and "..". False when it cannot be read.
    virtual bool ReadFolder(const std::string& utf8Folder, std::vector<FolderEntry>& entries) = 0;
    // False when the folder cannot be reached.
    virtual bool Identify(const std::string& utf8Folder, FolderIdentity& identity) = 0;
    // True when the folder is the top folder of its file system (a drive's root, a mount).
    virtual bool IsVolumeRoot(const std::string& utf8Folder) = 0;
    // The path of a name in a folder; empty when the system could not open it (too long).
    virtual std::string PathIn(const std::string& utf8Folder, const std::string& utf8Name) = 0;
};

// Calls found with every file in the folder and below, as FileSystem::ListFilesBelow
// promises: names in byte order, each folder once, a link not followed back to a folder on
// the way down nor onto the top of a file system (where /proc leads, or a drive's root), and
// what cannot be read passed over. False when the folder itself cannot be read.
bool WalkFolder(FolderSystem& system, const std::string& utf8Folder,
                const std::function<bool(const std::string& utf8Path)>& found);

}  // namespace vireluna
