#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/InputFile.h"
#include "tests/core/SystemFiles.h"

namespace vireluna {
namespace {

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

class InputFileTest : public ::testing::Test {
  protected:
    fakes::SystemFileSystem files;
    std::unique_ptr<InputFile> opened = files.NewInputFile();
    InputFile& file = *opened;
};

TEST_F(InputFileTest, ReadsBytesUnchangedAndReportsTheEnd) {
    const std::string path = TempPath("vireluna_inputfile_bytes.bin");
    // CR LF and 0x1A would be altered or end the read in a text-mode read.
    const unsigned char written[] = {0x0D, 0x0A, 0x1A, 0x00, 0xFF, 0x0A};
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(written, 1, sizeof written, out);
    std::fclose(out);

    ASSERT_TRUE(file.Open(path.c_str()));
    unsigned char read[16] = {};
    ASSERT_EQ(file.Read(read, sizeof read), sizeof written);
    for (std::size_t i = 0; i < sizeof written; ++i) EXPECT_EQ(read[i], written[i]) << i;
    EXPECT_EQ(file.Read(read, sizeof read), 0u);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    std::remove(path.c_str());
}

TEST_F(InputFileTest, MissingFileDoesNotOpenAndReadsNothing) {
    EXPECT_FALSE(file.Open(TempPath("vireluna_no_such_file.pxs").c_str()));
    unsigned char buffer[4];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
}

// Where a folder opens at all, its read is an error, not the end of a file; opening a file
// afterwards starts clean.
TEST_F(InputFileTest, FolderReadIsAnErrorNotTheEnd) {
    const std::string folder = TempPath("vireluna_inputfile_folder");
    std::filesystem::create_directory(folder);
    const std::string path = TempPath("vireluna_inputfile_after_folder.bin");
    { std::ofstream(path, std::ios::binary) << "xy"; }
    if (file.Open(folder.c_str())) {
        unsigned char buffer[4];
        EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
        EXPECT_TRUE(file.Failed());
    }
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_FALSE(file.Failed());
    unsigned char buffer[4];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 2u);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
    EXPECT_FALSE(file.Failed()) << "the end of the file is no error";
    file.Close();
    std::filesystem::remove(folder);
    std::filesystem::remove(path);
}

TEST_F(InputFileTest, OpensUtf8Paths) {
    // Created through a wide-aware path so the name on disk is the real one on every system.
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / std::filesystem::path(u8"vireluna_刺繍.bin");
    { std::ofstream(path, std::ios::binary) << 'x'; }
    ASSERT_TRUE(std::filesystem::exists(path));
    const std::u8string utf8 = path.u8string();
    const std::string bytes(utf8.begin(), utf8.end());
    EXPECT_TRUE(file.Open(bytes.c_str()));
    file.Close();
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace vireluna
