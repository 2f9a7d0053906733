#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "core/ports/FolderWalk.h"
#include "systems/posix/PosixFileSystem.h"

namespace vireluna {
namespace {

FolderEntry::Kind KindOf(const struct stat& status) {
    if (S_ISREG(status.st_mode)) return FolderEntry::Kind::File;
    if (S_ISDIR(status.st_mode)) return FolderEntry::Kind::Folder;
    return FolderEntry::Kind::Other;
}

class PosixFolders : public FolderSystem {
  public:
    bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        DIR* directory = ::opendir(folder.c_str());
        if (directory == nullptr) return false;
        const int descriptor = ::dirfd(directory);
        while (const dirent* entry = ::readdir(directory)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            FolderEntry found{std::string(name), FolderEntry::Kind::Other, entry->d_type == DT_LNK};
            if (entry->d_type == DT_REG) {
                found.kind = FolderEntry::Kind::File;
            } else if (entry->d_type == DT_DIR) {
                found.kind = FolderEntry::Kind::Folder;
            } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
                // What the name leads to; a link that leads nowhere, or an entry gone
                // meanwhile, is passed over.
                struct stat status {};
                if (::fstatat(descriptor, entry->d_name, &status, 0) != 0) continue;
                found.kind = KindOf(status);
                if (entry->d_type == DT_UNKNOWN) {
                    struct stat own {};
                    found.link =
                        ::fstatat(descriptor, entry->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0 &&
                        S_ISLNK(own.st_mode);
                }
            }
            if (found.kind != FolderEntry::Kind::Other) entries.push_back(std::move(found));
        }
        ::closedir(directory);
        return true;
    }

    bool Identify(const std::string& folder, FolderIdentity& identity) override {
        struct stat status {};
        if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return false;
        identity = {static_cast<std::uint64_t>(status.st_dev),
                    static_cast<std::uint64_t>(status.st_ino)};
        return true;
    }

    bool IsVolumeRoot(const std::string& folder) override {
        // The top of a file system lies on another device than its parent, or is its own
        // parent (/).
        struct stat self {};
        struct stat parent {};
        if (::stat(folder.c_str(), &self) != 0) return false;
        if (::stat((folder + "/..").c_str(), &parent) != 0) return false;
        return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
    }

    std::string PathIn(const std::string& folder, const std::string& name) override {
        std::string path = folder.back() == '/' ? folder + name : folder + '/' + name;
        // Beyond PATH_MAX nothing can be opened, and a loop the identity test cannot see
        // (a folder that changes while it is walked) ends here.
        if (path.size() >= PATH_MAX) path.clear();
        return path;
    }
};

}  // namespace

bool PosixFileSystem::ListFilesBelow(const std::string& utf8Folder,
                                     const std::function<bool(const std::string&)>& found) {
    PosixFolders folders;
    return WalkFolder(folders, utf8Folder, found);
}

}  // namespace vireluna
