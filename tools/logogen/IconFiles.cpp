#include "tools/logogen/IconFiles.h"

#include <png.h>

#include <cstdio>
#include <filesystem>

namespace vireluna::logogen {
namespace {

constexpr std::uint16_t IconType = 1;
constexpr std::uint16_t CursorType = 2;
constexpr std::uint32_t InfoHeaderBytes = 40;
constexpr std::uint32_t DirectoryHeaderBytes = 6;
constexpr std::uint32_t DirectoryEntryBytes = 16;
constexpr int PaletteEntries = 256;
constexpr int CursorSize = 32;
constexpr std::uint8_t OpaqueFrom = 128;

class Bytes {
  public:
    void U8(std::uint8_t v) { data_.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Append(const std::vector<std::uint8_t>& more) {
        data_.insert(data_.end(), more.begin(), more.end());
    }
    std::vector<std::uint8_t>& Data() { return data_; }

  private:
    std::vector<std::uint8_t> data_;
};

// Bytes per row of a bottom-up bitmap: rows are padded to whole 32-bit words.
int RowBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// A BITMAPINFOHEADER of an icon image: the height counts the picture and its mask.
void InfoHeader(Bytes& out, int size, int bitsPerPixel, std::uint32_t imageBytes) {
    out.U32(InfoHeaderBytes);
    out.U32(static_cast<std::uint32_t>(size));
    out.U32(static_cast<std::uint32_t>(size * 2));
    out.U16(1);
    out.U16(static_cast<std::uint16_t>(bitsPerPixel));
    out.U32(0);  // uncompressed
    out.U32(imageBytes);
    out.U32(0);
    out.U32(0);
    out.U32(0);
    out.U32(0);
}

// The 1-bit AND mask, bottom-up: a set bit leaves the screen as it is.
void AndMask(Bytes& out, int size, const std::vector<RgbaPixel>& pixels) {
    const int rowBytes = RowBytes(size, 1);
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
        for (int x = 0; x < size; ++x) {
            if (pixels[static_cast<std::size_t>(y * size + x)].alpha < OpaqueFrom) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.Append(row);
    }
}

bool IndexedImage(const IconImage& image, std::vector<std::uint8_t>& out) {
    const std::size_t count = static_cast<std::size_t>(image.size) * image.size;
    if (image.indices.size() != count || image.pixels.size() != count ||
        image.palette.size() > PaletteEntries) {
        return false;
    }
    const int rowBytes = RowBytes(image.size, 8);
    const int maskBytes = RowBytes(image.size, 1) * image.size;
    Bytes bytes;
    InfoHeader(bytes, image.size, 8, static_cast<std::uint32_t>(rowBytes * image.size + maskBytes));
    for (int i = 0; i < PaletteEntries; ++i) {
        const RgbaPixel entry =
            i < static_cast<int>(image.palette.size()) ? image.palette[i] : RgbaPixel{0, 0, 0, 0};
        bytes.U8(entry.blue);
        bytes.U8(entry.green);
        bytes.U8(entry.red);
        bytes.U8(0);
    }
    for (int y = image.size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
        for (int x = 0; x < image.size; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * image.size + x);
            // Masked pixels are black so that the AND/XOR pair leaves the screen untouched.
            row[static_cast<std::size_t>(x)] =
                image.pixels[at].alpha < OpaqueFrom ? 0 : image.indices[at];
        }
        bytes.Append(row);
    }
    AndMask(bytes, image.size, image.pixels);
    out = std::move(bytes.Data());
    return true;
}

bool PngImage(const IconImage& image, std::vector<std::uint8_t>& out) {
    const std::size_t count = static_cast<std::size_t>(image.size) * image.size;
    if (image.pixels.size() != count) return false;
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.size);
    header.height = static_cast<png_uint_32>(image.size);
    header.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&header, nullptr, &size, 0, image.pixels.data(), 0, nullptr)) {
        return false;
    }
    out.resize(size);
    const bool written =
        png_image_write_to_memory(&header, out.data(), &size, 0, image.pixels.data(), 0, nullptr);
    png_image_free(&header);
    out.resize(size);
    return written;
}

// Written beside the target and renamed, so a failure leaves the old file as it was.
bool WriteWhole(const std::string& path, const std::vector<std::uint8_t>& data) {
    const std::string temporary = path + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    if (std::fclose(file) != 0 || !written) {
        std::remove(temporary.c_str());
        return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

}  // namespace

bool WriteIcon(const std::string& path, const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> blobs;
    for (const IconImage& image : images) {
        if (image.size < 1 || image.size > 256) return false;
        std::vector<std::uint8_t> blob;
        if (!(image.fullColour ? PngImage(image, blob) : IndexedImage(image, blob))) return false;
        blobs.push_back(std::move(blob));
    }
    Bytes file;
    file.U16(0);
    file.U16(IconType);
    file.U16(static_cast<std::uint16_t>(images.size()));
    std::uint32_t offset =
        DirectoryHeaderBytes + DirectoryEntryBytes * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].size;
        file.U8(static_cast<std::uint8_t>(size == 256 ? 0 : size));  // 0 stands for 256
        file.U8(static_cast<std::uint8_t>(size == 256 ? 0 : size));
        file.U8(0);  // 256 colours or more
        file.U8(0);
        file.U16(1);
        file.U16(images[i].fullColour ? 32 : 8);
        file.U32(static_cast<std::uint32_t>(blobs[i].size()));
        file.U32(offset);
        offset += static_cast<std::uint32_t>(blobs[i].size());
    }
    for (const auto& blob : blobs) file.Append(blob);
    return WriteWhole(path, file.Data());
}

bool WriteInvisibleCursor(const std::string& path) {
    const int rowBytes = RowBytes(CursorSize, 1);
    const std::uint32_t maskBytes = static_cast<std::uint32_t>(rowBytes * CursorSize);
    Bytes image;
    InfoHeader(image, CursorSize, 1, maskBytes * 2);
    image.U32(0x00000000);                                         // palette: black
    image.U32(0x00FFFFFF);                                         // and white
    for (std::uint32_t i = 0; i < maskBytes; ++i) image.U8(0x00);  // XOR: change nothing
    for (std::uint32_t i = 0; i < maskBytes; ++i) image.U8(0xFF);  // AND: keep the screen

    Bytes file;
    file.U16(0);
    file.U16(CursorType);
    file.U16(1);
    file.U8(CursorSize);
    file.U8(CursorSize);
    file.U8(2);  // colours
    file.U8(0);
    file.U16(0);  // hot spot x
    file.U16(0);  // hot spot y
    file.U32(static_cast<std::uint32_t>(image.Data().size()));
    file.U32(DirectoryHeaderBytes + DirectoryEntryBytes);
    file.Append(image.Data());
    return WriteWhole(path, file.Data());
}

}  // namespace vireluna::logogen
