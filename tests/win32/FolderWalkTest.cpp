#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "systems/win32/Win32FileSystem.h"

namespace vireluna {
namespace {

// The system's part of the walk: names in byte order, folder by folder, whatever characters
// they hold, and a file is no folder to walk.
TEST(Win32FolderWalkTest, WalksFolderByFolderInByteOrder) {
    win32::Win32FileSystem files;
    const std::filesystem::path temp = std::filesystem::temp_directory_path();
    const std::filesystem::path root = temp / u8"vireluna_walk_\u30c7\u30b6\u30a4\u30f3";
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    std::filesystem::create_directories(root / "sub");
    std::ofstream(root / "b.pxs") << "x";
    std::ofstream(root / "A.pxs") << "x";
    std::ofstream(root / "sub" / "c.pxs") << "x";
    std::ofstream(root / "sub" / u8"\u00e9t\u00e9.pxs") << "x";
    const std::string base = reinterpret_cast<const char*>(root.u8string().c_str());
    std::vector<std::string> found;
    EXPECT_TRUE(files.ListFilesBelow(base, [&](const std::string& path) {
        found.push_back(path.substr(base.size()));
        return found.size() < 100;  // a walk gone astray ends here
    }));
    EXPECT_EQ(found, (std::vector<std::string>{"\\A.pxs", "\\b.pxs", "\\sub\\c.pxs",
                                               "\\sub\\\xC3\xA9t\xC3\xA9.pxs"}));
    EXPECT_FALSE(files.ListFilesBelow(base + "\\b.pxs", [](const std::string&) { return true; }));
    std::filesystem::remove_all(root, ignored);
}

}  // namespace
}  // namespace vireluna
