#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"

namespace vireluna::raster {
namespace {

namespace fs = std::filesystem;

class RasterFiles : public ::testing::Test {
  protected:
    RasterFiles()
        : folder_(fs::temp_directory_path() / ("raster-test-" + std::to_string(getpid()))) {
        fs::create_directories(folder_);
    }
    ~RasterFiles() override { fs::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
    std::string WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return PathOf(name);
    }
    fs::path folder_;
};

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A BMP with a plain info header whose rows are given top to bottom, each already padded.
std::vector<std::uint8_t> MakeBmp(int width, int height, int bits, bool topDown,
                                  const std::vector<std::uint32_t>& palette,
                                  const std::vector<std::vector<std::uint8_t>>& rows,
                                  std::uint32_t compression = 0) {
    const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(palette.size());
    const std::uint32_t stride = static_cast<std::uint32_t>(rows[0].size());
    std::vector<std::uint8_t> out{'B', 'M'};
    Put(out, offset + stride * height, 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, 40, 4);
    Put(out, width, 4);
    Put(out, static_cast<std::uint32_t>(topDown ? -height : height), 4);
    Put(out, 1, 2);
    Put(out, bits, 2);
    Put(out, compression, 4);
    Put(out, stride * height, 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, static_cast<std::uint32_t>(palette.size()), 4);
    Put(out, 0, 4);
    for (std::uint32_t entry : palette) Put(out, entry, 4);  // 0x00RRGGBB stored as B, G, R, 0
    for (int i = 0; i < height; ++i) {
        const auto& row = rows[topDown ? i : height - 1 - i];
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};
const std::vector<std::uint32_t> kFourColours{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

TEST_F(RasterFiles, PngRoundTripKeepsEveryPixel) {
    RasterImage image(37, 23);
    std::mt19937 random(3);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x)
            image.SetPixel(
                x, y,
                {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                 static_cast<std::uint8_t>(random())});
    const std::string path = PathOf("round.png");
    ASSERT_TRUE(WritePng(image, path));
    ASSERT_TRUE(WritePng(image, path));  // replacing an existing file works too

    png_image read{};
    read.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_file(&read, path.c_str()), 0);
    EXPECT_EQ(read.width, 37u);
    EXPECT_EQ(read.height, 23u);
    read.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(read));
    ASSERT_NE(png_image_finish_read(&read, nullptr, pixels.data(), 0, nullptr), 0);
    EXPECT_EQ(pixels, image.Bytes());
    // Nothing but the picture is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(RasterFiles, PngWriteFailsCleanly) {
    const RasterImage image(4, 4);
    EXPECT_FALSE(WritePng(image, PathOf("missing/folder/out.png")));
    EXPECT_FALSE(WritePng(RasterImage(), PathOf("empty.png")));
    EXPECT_FALSE(fs::exists(PathOf("empty.png")));
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(RasterFiles, ReadsIndexedBmpsBothWaysUp) {
    // Row pattern: red, green, blue, white, ... for 1, 4 and 8 bits per pixel.
    const std::vector<std::vector<std::uint8_t>> eightBit{{0, 1, 2, 3}, {3, 2, 1, 0}};
    for (const bool topDown : {false, true}) {
        RasterImage image;
        ASSERT_TRUE(
            ReadBmp(WriteBytes("8.bmp", MakeBmp(4, 2, 8, topDown, kFourColours, eightBit)), image));
        ASSERT_EQ(image.Width(), 4);
        ASSERT_EQ(image.Height(), 2);
        EXPECT_EQ(image.PixelAt(0, 0), kRed);
        EXPECT_EQ(image.PixelAt(3, 0), kWhite);
        EXPECT_EQ(image.PixelAt(1, 1), kBlue);

        RasterImage packed;
        ASSERT_TRUE(ReadBmp(WriteBytes("4.bmp", MakeBmp(4, 2, 4, topDown, kFourColours,
                                                        {{0x01, 0x23, 0, 0}, {0x32, 0x10, 0, 0}})),
                            packed));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) EXPECT_EQ(packed.PixelAt(x, y), image.PixelAt(x, y));
    }
    RasterImage mono;
    ASSERT_TRUE(ReadBmp(WriteBytes("1.bmp", MakeBmp(10, 1, 1, false, {0x000000, 0xFFFFFF},
                                                    {{0b10000000, 0b01000000, 0, 0}})),
                        mono));
    EXPECT_EQ(mono.PixelAt(0, 0), kWhite);
    EXPECT_EQ(mono.PixelAt(1, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(mono.PixelAt(9, 0), kWhite);
}

TEST_F(RasterFiles, ReadsTrueColourBmps) {
    RasterImage image;
    // 24 bits: B, G, R per pixel, rows padded to 4 bytes.
    ASSERT_TRUE(
        ReadBmp(WriteBytes("24.bmp", MakeBmp(2, 1, 24, false, {}, {{0, 0, 255, 10, 20, 30, 0, 0}})),
                image));
    EXPECT_EQ(image.PixelAt(0, 0), kRed);
    EXPECT_EQ(image.PixelAt(1, 0), (Rgb{30, 20, 10}));
    ASSERT_TRUE(ReadBmp(
        WriteBytes("32.bmp", MakeBmp(1, 2, 32, true, {}, {{255, 0, 0, 0}, {1, 2, 3, 0}})), image));
    EXPECT_EQ(image.PixelAt(0, 0), kBlue);
    EXPECT_EQ(image.PixelAt(0, 1), (Rgb{3, 2, 1}));
    // Bit fields: the three masks follow the header; here red sits in the lowest byte.
    ASSERT_TRUE(ReadBmp(
        WriteBytes("fields.bmp", MakeBmp(1, 1, 32, false, {0x000000FF, 0x0000FF00, 0x00FF0000},
                                         {{10, 20, 30, 40}}, 3)),
        image));
    EXPECT_EQ(image.PixelAt(0, 0), (Rgb{10, 20, 30}));
}

TEST_F(RasterFiles, ReadsTheOldCoreHeader) {
    // 12-byte header with 16-bit sizes and a palette of 3-byte entries.
    std::vector<std::uint8_t> bytes{'B', 'M'};
    Put(bytes, 14 + 12 + 6 + 4, 4);
    Put(bytes, 0, 4);
    Put(bytes, 14 + 12 + 6, 4);
    Put(bytes, 12, 4);
    Put(bytes, 2, 2);                                                        // width
    Put(bytes, 1, 2);                                                        // height
    Put(bytes, 1, 2);                                                        // planes
    Put(bytes, 1, 2);                                                        // bits per pixel
    for (std::uint8_t byte : {0, 0, 255, 255, 0, 0}) bytes.push_back(byte);  // red, blue
    for (std::uint8_t byte : {0b01000000, 0, 0, 0}) bytes.push_back(byte);
    RasterImage image;
    ASSERT_TRUE(ReadBmp(WriteBytes("core.bmp", bytes), image));
    EXPECT_EQ(image.PixelAt(0, 0), kRed);
    EXPECT_EQ(image.PixelAt(1, 0), kBlue);
}

TEST_F(RasterFiles, RefusesMalformedBmpsWithoutTouchingTheImage) {
    const std::vector<std::uint8_t> good =
        MakeBmp(4, 2, 8, false, kFourColours, {{0, 1, 2, 3}, {3, 2, 1, 0}});
    auto broken = [&](auto change) {
        std::vector<std::uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    const std::vector<std::vector<std::uint8_t>> faults{
        broken([](auto& b) { b[0] = 'X'; }),                   // not a BMP
        broken([](auto& b) { b[30] = 1; }),                    // run-length compressed
        broken([](auto& b) { b[18] = 0; }),                    // zero width
        broken([](auto& b) { b[25] = 0x7F; }),                 // absurd height
        broken([](auto& b) { b[28] = 7; }),                    // unknown depth
        broken([](auto& b) { b[10] = 0xF0; }),                 // pixels past the end
        broken([n = good.size()](auto& b) { b[n - 1] = 9; }),  // index past the palette
        broken([](auto& b) { b[47] = 0x01; }),                 // more colours than 8 bits address
        MakeBmp(4, 2, 8, false, kFourColours, {{0, 1, 2, 3}, {3, 2, 1, 0}}, 3),  // masks on 8 bits
    };
    RasterImage image(3, 3, kGreen);
    for (std::size_t i = 0; i < faults.size(); ++i) {
        EXPECT_FALSE(ReadBmp(WriteBytes("bad.bmp", faults[i]), image)) << i;
    }
    // Every truncation of a good file is refused.
    for (std::size_t size = 0; size < good.size(); ++size) {
        EXPECT_FALSE(ReadBmp(WriteBytes("cut.bmp", {good.begin(), good.begin() + size}), image))
            << size;
    }
    EXPECT_FALSE(ReadBmp(PathOf("absent.bmp"), image));
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.PixelAt(1, 1), kGreen);
}

TEST(RasterLogoFile, IsThe16ColourEmblemOnItsField) {
    RasterImage logo;
    ASSERT_TRUE(ReadBmp(DefaultLogoPath(), logo));
    EXPECT_EQ(logo.Width(), 96);
    EXPECT_EQ(logo.Height(), 109);
    const Rgb field{198, 222, 255};
    for (const auto& [x, y] : {std::pair{0, 0}, {95, 0}, {0, 108}, {95, 108}})
        EXPECT_EQ(logo.PixelAt(x, y), field);
    // Plain info header, 4 bits per pixel, uncompressed, 16 palette entries.
    std::ifstream file(DefaultLogoPath(), std::ios::binary);
    std::vector<std::uint8_t> head(54);
    file.read(reinterpret_cast<char*>(head.data()), head.size());
    EXPECT_EQ(head[14], 40);
    EXPECT_EQ(head[28], 4);
    EXPECT_EQ(head[30], 0);
    EXPECT_EQ(head[46], 16);
}

}  // namespace
}  // namespace vireluna::raster
