#include <gtest/gtest.h>

#include "platform/DirectorySearch.h"
#include "tests/native/ProfileTestFolder.h"

namespace vireluna {
namespace {

TEST(DirectorySearchTest, FindsFilesFoldersAndWildcardMatchesOnly) {
    testing::TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    testing::WriteFile(folder.Path() + "/designs/koi.pxs", "x");
    const std::string designs = folder.Path() + "/designs";
    EXPECT_TRUE(DirectorySearchFinds(designs + "/koi.pxs"));
    EXPECT_TRUE(DirectorySearchFinds(designs));
    EXPECT_TRUE(DirectorySearchFinds(designs + "/*.pxs"));
    EXPECT_TRUE(DirectorySearchFinds(designs + "/k?i.pxs"));
    EXPECT_FALSE(DirectorySearchFinds(designs + "/carp.pxs"));
    EXPECT_FALSE(DirectorySearchFinds(designs + "/*.dst"));
    EXPECT_FALSE(DirectorySearchFinds(""));
}

}  // namespace
}  // namespace vireluna
