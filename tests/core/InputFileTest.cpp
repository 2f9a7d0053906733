#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "core/ports/InputFile.h"
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

#ifndef _WIN32
// A FIFO with no writer would block open() for ever, and a device is no design: both are
// refused at once, by the plain and the exclusive open alike.
TEST_F(InputFileTest, PipesAndDevicesAreRefusedWithoutWaiting) {
    const std::string fifo = TempPath("vireluna_inputfile_fifo");
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/null")}) {
        for (const bool exclusive : {false, true}) {
            std::future<bool> opened = std::async(std::launch::async, [&] {
                return exclusive ? file.OpenExclusive(path.c_str()) : file.Open(path.c_str());
            });
            if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
                // A writer releases the blocked open so that the test can end.
                const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                opened.wait();
                if (writer >= 0) ::close(writer);
                ADD_FAILURE() << path << " blocked the open";
            } else {
                EXPECT_FALSE(opened.get()) << path << (exclusive ? " (exclusive)" : "");
            }
            EXPECT_FALSE(file.IsOpen());
            file.Close();
        }
    }
    std::filesystem::remove(fifo);
}
#endif

}  // namespace
}  // namespace vireluna
