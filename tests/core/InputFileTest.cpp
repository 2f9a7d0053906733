#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/InputFile.h"

namespace vireluna {
namespace {

std::string TempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

TEST(InputFile, ReadsBytesUnchangedAndReportsTheEnd) {
    const std::string path = TempPath("vireluna_inputfile_bytes.bin");
    // CR LF and 0x1A would be altered or end the read in a text-mode read.
    const unsigned char written[] = {0x0D, 0x0A, 0x1A, 0x00, 0xFF, 0x0A};
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(written, 1, sizeof written, out);
    std::fclose(out);

    InputFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    unsigned char read[16] = {};
    ASSERT_EQ(file.Read(read, sizeof read), sizeof written);
    for (std::size_t i = 0; i < sizeof written; ++i) EXPECT_EQ(read[i], written[i]) << i;
    EXPECT_EQ(file.Read(read, sizeof read), 0u);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    std::remove(path.c_str());
}

TEST(InputFile, MissingFileDoesNotOpenAndReadsNothing) {
    InputFile file;
    EXPECT_FALSE(file.Open(TempPath("vireluna_no_such_file.pxs").c_str()));
    unsigned char buffer[4];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
}

TEST(InputFile, OpensUtf8Paths) {
    const std::string path = TempPath("vireluna_\xE5\x88\xBA\xE7\xB9\x8D.bin");  // 刺繍
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) GTEST_SKIP() << "this C library cannot create UTF-8 names";
    std::fputc('x', out);
    std::fclose(out);
    InputFile file;
    EXPECT_TRUE(file.Open(path.c_str()));
    file.Close();
    std::remove(path.c_str());
}

}  // namespace
}  // namespace vireluna
