#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/DirectorySearch.h"

namespace vireluna {
namespace {

TEST(Win32DirectorySearchTest, FindsFilesFoldersAndWildcardMatchesWithAnyCharacters) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / u8"vireluna_search_\u30c7\u30b6\u30a4\u30f3";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "koi.pxs") << "x";
    const std::string base = reinterpret_cast<const char*>(folder.u8string().c_str());
    EXPECT_TRUE(DirectorySearchFinds(base + "\\koi.pxs"));
    EXPECT_TRUE(DirectorySearchFinds(base + "\\KOI.PXS"));  // names ignore case
    EXPECT_TRUE(DirectorySearchFinds(base));
    EXPECT_TRUE(DirectorySearchFinds(base + "\\*.pxs"));
    EXPECT_TRUE(DirectorySearchFinds(base + "\\k?i.*"));
    EXPECT_FALSE(DirectorySearchFinds(base + "\\carp.pxs"));
    EXPECT_FALSE(DirectorySearchFinds(base + "\\*.dst"));
    EXPECT_FALSE(DirectorySearchFinds(""));
    EXPECT_FALSE(DirectorySearchFinds("C:\\\xFF.pxs"));  // not UTF-8: no such name
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace
}  // namespace vireluna
