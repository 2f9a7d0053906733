#include "core/ports/FolderWalk.h"

#include <algorithm>
#include <set>
#include <utility>

namespace vireluna {
namespace {

class Walk {
  public:
    Walk(FolderSystem& system, const std::function<bool(const std::string&)>& found)
        : system_(system), found_(found) {}

    bool Folder(const std::string& folder) {
        FolderIdentity identity;
        if (!system_.Identify(folder, identity)) return false;
        return Enter(folder, identity);
    }

  private:
    bool Enter(const std::string& folder, const FolderIdentity& identity) {
        // The names are read in one go, so that only one folder is open at a time however
        // deep the tree.
        std::vector<FolderEntry> entries;
        if (!system_.ReadFolder(folder, entries)) return false;
        std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
            return a.utf8Name < b.utf8Name;
        });
        walked_.insert(identity);
        path_.push_back(identity);
        for (const FolderEntry& entry : entries) {
            if (stopped_) break;
            const std::string path = system_.PathIn(folder, entry.utf8Name);
            if (path.empty()) continue;
            if (entry.kind == FolderEntry::Kind::File) {
                if (!found_(path)) stopped_ = true;
            } else if (entry.kind == FolderEntry::Kind::Folder) {
                Below(path, entry.link);
            }
        }
        path_.pop_back();
        return true;
    }

    // A sub-folder that cannot be read costs only itself.
    void Below(const std::string& folder, bool link) {
        FolderIdentity identity;
        if (!system_.Identify(folder, identity)) return;
        // A link back up would walk the tree again; one onto the top of a file system (as
        // /proc/N/cwd leads to /) would walk a whole system, not a folder of designs.
        if (link && (std::find(path_.begin(), path_.end(), identity) != path_.end() ||
                     system_.IsVolumeRoot(folder))) {
            return;
        }
        // A second way into a folder gives its designs once.
        if (walked_.contains(identity)) return;
        Enter(folder, identity);
    }

    FolderSystem& system_;
    const std::function<bool(const std::string&)>& found_;
    std::vector<FolderIdentity> path_;
    std::set<FolderIdentity> walked_;
    bool stopped_ = false;
};

}  // namespace

bool WalkFolder(FolderSystem& system, const std::string& utf8Folder,
                const std::function<bool(const std::string& utf8Path)>& found) {
    if (utf8Folder.empty()) return false;
    return Walk(system, found).Folder(utf8Folder);
}

}  // namespace vireluna
