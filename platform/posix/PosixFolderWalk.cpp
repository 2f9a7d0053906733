#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/PosixFileSystem.h"

namespace vireluna {
namespace {

enum class EntryType { File, Folder, Other };

struct FolderEntry {
    std::string name;
    unsigned char type;  // d_type: DT_UNKNOWN and DT_LNK need a look at what they name
};

class FolderWalk {
  public:
    explicit FolderWalk(const std::function<bool(const std::string&)>& found) : found_(found) {}

    // False when the folder cannot be opened; stopped_ tells whether found ended the walk.
    bool Walk(const std::string& folder) {
        std::vector<FolderEntry> entries;
        if (!ReadFolder(folder, entries)) return false;
        const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
        for (const FolderEntry& entry : entries) {
            if (stopped_) return true;
            std::string path = prefix + entry.name;
            // Beyond PATH_MAX nothing can be opened, and a loop the identity test cannot see
            // (a folder that changes while it is walked) ends here.
            if (path.size() >= PATH_MAX) continue;
            switch (TypeOf(path, entry.type)) {
                case EntryType::File:
                    if (!found_(path)) stopped_ = true;
                    break;
                case EntryType::Folder:
                    Walk(path);  // one that cannot be read costs only itself
                    break;
                case EntryType::Other:
                    break;
            }
        }
        return true;
    }

  private:
    // The names of one folder, sorted, read in one go so that only one folder is open at a
    // time however deep the tree. A folder already walked (reached again through a link) gives
    // no names.
    bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries) {
        const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor < 0) return false;
        struct stat status {};
        if (::fstat(descriptor, &status) != 0) {
            ::close(descriptor);
            return false;
        }
        if (!walked_.emplace(status.st_dev, status.st_ino).second) {
            ::close(descriptor);
            return true;
        }
        DIR* directory = ::fdopendir(descriptor);
        if (directory == nullptr) {
            ::close(descriptor);
            return false;
        }
        while (const dirent* entry = ::readdir(directory)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..") continue;
            entries.push_back({std::string(name), entry->d_type});
        }
        ::closedir(directory);
        std::sort(entries.begin(), entries.end(),
                  [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
        return true;
    }

    static EntryType TypeOf(const std::string& path, unsigned char type) {
        if (type == DT_REG) return EntryType::File;
        if (type == DT_DIR) return EntryType::Folder;
        if (type != DT_LNK && type != DT_UNKNOWN) return EntryType::Other;
        struct stat status {};
        // A link is followed; one that leads nowhere, or an entry gone meanwhile, is passed over.
        if (::stat(path.c_str(), &status) != 0) return EntryType::Other;
        if (S_ISREG(status.st_mode)) return EntryType::File;
        if (S_ISDIR(status.st_mode)) return EntryType::Folder;
        return EntryType::Other;
    }

    const std::function<bool(const std::string&)>& found_;
    std::set<std::pair<dev_t, ino_t>> walked_;
    bool stopped_ = false;
};

}  // namespace

bool PosixFileSystem::ListFilesBelow(const std::string& utf8Folder,
                                     const std::function<bool(const std::string&)>& found) {
    if (utf8Folder.empty()) return false;
    return FolderWalk(found).Walk(utf8Folder);
}

}  // namespace vireluna
