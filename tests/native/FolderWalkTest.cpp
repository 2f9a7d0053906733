#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "systems/posix/PosixFileSystem.h"
#include "tests/native/ProfileTestFolder.h"

namespace vireluna {
namespace {

std::vector<std::string> Walk(PosixFileSystem& files, const std::string& folder, bool& read) {
    std::vector<std::string> found;
    read = files.ListFilesBelow(folder, [&](const std::string& path) {
        found.push_back(path.substr(folder.size()));
        return found.size() < 100;  // a walk gone astray ends here
    });
    return found;
}

// Links are followed, each folder once: a loop, a second way into a folder, a link that leads
// nowhere and one onto the top of a file system (as in /proc) cost nothing, one to a folder
// elsewhere is walked, and the names come in byte order, folder by folder.
TEST(FolderWalkTest, EachFileOnceInByteOrderThroughLinksAndLoops) {
    PosixFileSystem files;
    testing::TempFolder temp;
    const std::string root = temp.Path() + "/designs";
    testing::WriteFile(root + "/b.pxs", "x");
    testing::WriteFile(root + "/A.pxs", "x");
    testing::WriteFile(root + "/sub/c.pxs", "x");
    testing::WriteFile(temp.Path() + "/outside.pxs", "x");
    testing::WriteFile(temp.Path() + "/elsewhere/d.pxs", "x");
    ASSERT_EQ(::symlink("..", (root + "/sub/up").c_str()), 0);
    ASSERT_EQ(::symlink("sub", (root + "/z-again").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (root + "/dangling.pxs").c_str()), 0);
    ASSERT_EQ(::symlink("../outside.pxs", (root + "/linked.pxs").c_str()), 0);
    ASSERT_EQ(::symlink("/", (root + "/sub/whole-system").c_str()), 0);
    ASSERT_EQ(::symlink("../../elsewhere", (root + "/sub/elsewhere").c_str()), 0);

    bool read = false;
    EXPECT_EQ(Walk(files, root, read),
              (std::vector<std::string>{"/A.pxs", "/b.pxs", "/linked.pxs", "/sub/c.pxs",
                                        "/sub/elsewhere/d.pxs"}));
    EXPECT_TRUE(read);
    // A trailing slash is not doubled.
    EXPECT_EQ(Walk(files, root + "/", read).front(), "A.pxs");
}

TEST(FolderWalkTest, AFolderThatCannotBeReadCostsOnlyItself) {
    PosixFileSystem files;
    testing::TempFolder temp;
    const std::string root = temp.Path() + "/designs";
    testing::WriteFile(root + "/open/a.pxs", "x");
    testing::WriteFile(root + "/closed/b.pxs", "x");
    testing::WriteFile(root + "/z.pxs", "x");
    bool read = false;
    EXPECT_TRUE(Walk(files, root + "/missing", read).empty());
    EXPECT_FALSE(read);
    EXPECT_TRUE(Walk(files, root + "/z.pxs", read).empty());
    EXPECT_FALSE(read) << "a file is no folder";

    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not keep root out";
    ASSERT_EQ(::chmod((root + "/closed").c_str(), 0), 0);
    EXPECT_EQ(Walk(files, root, read), (std::vector<std::string>{"/open/a.pxs", "/z.pxs"}));
    EXPECT_TRUE(read);
    ::chmod((root + "/closed").c_str(), 0755);
}

}  // namespace
}  // namespace vireluna
