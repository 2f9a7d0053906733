#include <gtest/gtest.h>
#include <sys/stat.h>

#include "systems/posix/PosixFileSystem.h"
#include "tests/native/ProfileTestFolder.h"

namespace vireluna {
namespace {

TEST(DirectorySearchTest, FindsFilesFoldersAndWildcardMatchesOnly) {
    PosixFileSystem files;
    testing::TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    testing::WriteFile(folder.Path() + "/designs/koi.pxs", "x");
    const std::string designs = folder.Path() + "/designs";
    EXPECT_TRUE(files.DirectorySearchFinds(designs + "/koi.pxs"));
    EXPECT_TRUE(files.DirectorySearchFinds(designs));
    EXPECT_TRUE(files.DirectorySearchFinds(designs + "/*.pxs"));
    EXPECT_TRUE(files.DirectorySearchFinds(designs + "/k?i.pxs"));
    EXPECT_FALSE(files.DirectorySearchFinds(designs + "/carp.pxs"));
    EXPECT_FALSE(files.DirectorySearchFinds(designs + "/*.dst"));
    EXPECT_FALSE(files.DirectorySearchFinds(""));
    // Found but neither a file nor a folder: start-up names it rather than play it.
    ASSERT_EQ(::mkfifo((designs + "/pipe.pxs").c_str(), 0600), 0);
    EXPECT_FALSE(files.DirectorySearchFinds(designs + "/pipe.pxs"));
    EXPECT_FALSE(files.DirectorySearchFinds("/dev/null"));
}

}  // namespace
}  // namespace vireluna
