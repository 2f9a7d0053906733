#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/FolderWalk.h"

namespace vireluna {
namespace {

// A system of folders in memory: each path names a folder (by its identity) or a file; a
// link is a name whose target is given by path.
class FakeFolders : public FolderSystem {
  public:
    struct Node {
        FolderIdentity identity;
        bool volumeRoot = false;
        std::vector<FolderEntry> entries;
    };

    void Folder(const std::string& path, FolderIdentity identity, bool volumeRoot = false) {
        folders_[path] = {identity, volumeRoot, {}};
        AddTo(path, FolderEntry::Kind::Folder, false);
    }
    void File(const std::string& path) { AddTo(path, FolderEntry::Kind::File, false); }
    void Link(const std::string& path, const std::string& target) {
        links_[path] = target;
        AddTo(path, FolderEntry::Kind::Folder, true);
    }

    bool ReadFolder(const std::string& folder, std::vector<FolderEntry>& entries) override {
        const Node* node = Find(folder);
        if (node == nullptr) return false;
        ++reads;
        entries = node->entries;
        return true;
    }
    bool Identify(const std::string& folder, FolderIdentity& identity) override {
        const Node* node = Find(folder);
        if (node != nullptr) identity = node->identity;
        return node != nullptr;
    }
    bool IsVolumeRoot(const std::string& folder) override {
        const Node* node = Find(folder);
        return node != nullptr && node->volumeRoot;
    }
    std::string PathIn(const std::string& folder, const std::string& name) override {
        return folder + "/" + name;
    }

    int reads = 0;

  private:
    void AddTo(const std::string& path, FolderEntry::Kind kind, bool link) {
        const std::size_t cut = path.rfind('/');
        if (cut == std::string::npos || cut == 0) return;
        auto parent = folders_.find(path.substr(0, cut));
        if (parent == folders_.end()) return;
        parent->second.entries.push_back({path.substr(cut + 1), kind, link});
    }
    // A path through links, resolved one name at a time.
    const Node* Find(std::string path) const {
        for (int hops = 0; hops < 64; ++hops) {
            const auto folder = folders_.find(path);
            if (folder != folders_.end()) return &folder->second;
            bool moved = false;
            for (const auto& [from, to] : links_) {
                if (path == from || path.starts_with(from + "/")) {
                    path = to + path.substr(from.size());
                    moved = true;
                    break;
                }
            }
            if (!moved) return nullptr;
        }
        return nullptr;
    }

    std::map<std::string, Node> folders_;
    std::map<std::string, std::string> links_;
};

std::vector<std::string> Walk(FakeFolders& folders, const std::string& root) {
    std::vector<std::string> found;
    EXPECT_TRUE(WalkFolder(folders, root, [&](const std::string& path) {
        found.push_back(path);
        return true;
    }));
    return found;
}

// A link back up, one onto the top of a file system (as /proc/N/root and /proc/N/cwd lead to
// /) and a second way into a folder are not walked; a link to a folder elsewhere is.
TEST(FolderWalkPolicy, FollowsLinksOnlyToFoldersNotYetWalkedBelowNoFileSystemTop) {
    FakeFolders folders;
    folders.Folder("/top", {1, 1}, true);
    folders.Folder("/top/big", {1, 9});
    folders.File("/top/big/system.bin");
    folders.Folder("/top/designs", {1, 2});
    folders.File("/top/designs/b.pxs");
    folders.File("/top/designs/A.pxs");
    folders.Folder("/top/designs/sub", {1, 3});
    folders.File("/top/designs/sub/c.pxs");
    folders.Link("/top/designs/sub/up", "/top/designs");
    folders.Link("/top/designs/sub/whole-system", "/top");
    folders.Link("/top/designs/z-again", "/top/designs/sub");
    folders.Folder("/top/other", {2, 1});
    folders.File("/top/other/d.pxs");
    folders.Link("/top/designs/sub/elsewhere", "/top/other");

    EXPECT_EQ(
        Walk(folders, "/top/designs"),
        (std::vector<std::string>{"/top/designs/A.pxs", "/top/designs/b.pxs",
                                  "/top/designs/sub/c.pxs", "/top/designs/sub/elsewhere/d.pxs"}));
    EXPECT_EQ(folders.reads, 3);
    // The top of a file system is walked when it is the folder asked for, not through a link.
    EXPECT_EQ(Walk(folders, "/top").size(), 5u);
}

}  // namespace
}  // namespace vireluna
