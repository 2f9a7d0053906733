#include "tools/logogen/IndexedBmp.h"

#include <cstdio>

namespace vireluna::logogen {

namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kPaletteEntryBytes = 4;
constexpr std::uint32_t kBitsPerPixel = 4;
constexpr std::int32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::vector<std::uint8_t> Encode(int width, int height, const std::vector<std::uint8_t>& indices,
                                 const Palette& palette) {
    const std::uint32_t stride = (width * kBitsPerPixel + 31) / 32 * 4;
    const std::uint32_t pixelOffset =
        kFileHeaderBytes + kInfoHeaderBytes + kPaletteSize * kPaletteEntryBytes;
    const std::uint32_t pixelBytes = stride * height;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + pixelBytes);
    Put32(out, 0);  // reserved
    Put32(out, pixelOffset);
    Put32(out, kInfoHeaderBytes);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
    Put16(out, 1);                                   // planes
    Put16(out, kBitsPerPixel);
    Put32(out, 0);  // no compression
    Put32(out, pixelBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPaletteSize);  // colours used
    Put32(out, 0);             // all colours important
    for (const PaletteEntry& entry : palette) {
        out.push_back(entry.blue);
        out.push_back(entry.green);
        out.push_back(entry.red);
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index = indices[static_cast<std::size_t>(y) * width + x];
            row[x / 2] |= x % 2 == 0 ? index << kBitsPerPixel : index;  // left pixel high
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

bool WriteIndexedBmp(const std::string& path, int width, int height,
                     const std::vector<std::uint8_t>& indices, const Palette& palette) {
    if (width < 1 || height < 1 || indices.size() != static_cast<std::size_t>(width) * height) {
        return false;
    }
    const std::vector<std::uint8_t> bytes = Encode(width, height, indices, palette);
    const std::string tempPath = path + ".tmp";
    std::FILE* file = std::fopen(tempPath.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    ok = ok && std::rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(tempPath.c_str());
    return ok;
}

}  // namespace vireluna::logogen
