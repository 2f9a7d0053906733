#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "systems/win32/Win32FileSystem.h"

namespace vireluna {
namespace {

TEST(Win32DirectorySearchTest, FindsFilesFoldersAndWildcardMatchesWithAnyCharacters) {
    win32::Win32FileSystem files;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / u8"vireluna_search_\u30c7\u30b6\u30a4\u30f3";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "koi.pxs") << "x";
    const std::string base = reinterpret_cast<const char*>(folder.u8string().c_str());
    EXPECT_TRUE(files.DirectorySearchFinds(base + "\\koi.pxs"));
    EXPECT_TRUE(files.DirectorySearchFinds(base + "\\KOI.PXS"));  // names ignore case
    EXPECT_TRUE(files.DirectorySearchFinds(base));
    EXPECT_TRUE(files.DirectorySearchFinds(base + "\\*.pxs"));
    EXPECT_TRUE(files.DirectorySearchFinds(base + "\\k?i.*"));
    EXPECT_FALSE(files.DirectorySearchFinds(base + "\\carp.pxs"));
    EXPECT_FALSE(files.DirectorySearchFinds(base + "\\*.dst"));
    EXPECT_FALSE(files.DirectorySearchFinds(""));
    EXPECT_FALSE(files.DirectorySearchFinds("C:\\\xFF.pxs"));  // not UTF-8: no such name
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace
}  // namespace vireluna
