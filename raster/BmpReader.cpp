#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include "raster/RasterImage.h"

namespace vireluna::raster {

namespace {

constexpr std::size_t kMaxFileBytes = 256u << 20;
constexpr std::int64_t kMaxSide = 32768;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 25;
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kInfoHeaderWithMasksBytes = 52;
constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionBitFields = 3;
constexpr std::size_t kMaskBytes = 12;
// Where the fields lie: in the file header, and from the start of each kind of info header.
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kCoreWidth = 4, kCoreHeight = 6, kCorePlanes = 8, kCoreBits = 10;
constexpr std::size_t kInfoWidth = 4, kInfoHeight = 8, kInfoPlanes = 12, kInfoBits = 14,
                      kInfoCompression = 16, kInfoColoursUsed = 32;
constexpr int kBitsPerByte = 8;

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    std::uint8_t chunk[64 * 1024];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (bytes.size() + got > kMaxFileBytes) {
            ok = false;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (got < sizeof chunk) {
            ok = std::ferror(file) == 0;
            break;
        }
    }
    std::fclose(file);
    return ok;
}

// Little-endian reads that answer false instead of reading past the end.
class ByteView {
  public:
    explicit ByteView(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    std::size_t Size() const { return bytes_.size(); }
    const std::uint8_t* At(std::size_t offset) const { return bytes_.data() + offset; }
    bool Holds(std::uint64_t offset, std::uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    bool U16(std::size_t offset, std::uint32_t& value) const {
        if (!Holds(offset, 2)) return false;
        value = bytes_[offset] | bytes_[offset + 1] << 8;
        return true;
    }
    bool U32(std::size_t offset, std::uint32_t& value) const {
        if (!Holds(offset, 4)) return false;
        value = static_cast<std::uint32_t>(bytes_[offset]) | bytes_[offset + 1] << 8 |
                bytes_[offset + 2] << 16 | static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
        return true;
    }
    bool S32(std::size_t offset, std::int64_t& value) const {
        std::uint32_t raw = 0;
        if (!U32(offset, raw)) return false;
        value = static_cast<std::int32_t>(raw);
        return true;
    }

  private:
    const std::vector<std::uint8_t>& bytes_;
};

// One colour channel of a 32-bit pixel under a bit-field mask, widened or narrowed to 8 bits.
struct ChannelMask {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    bool Set(std::uint32_t value) {
        mask = value;
        if (value == 0) return false;
        shift = 0;
        while (((value >> shift) & 1u) == 0) ++shift;
        bits = 0;
        while (shift + bits < 32 && ((value >> (shift + bits)) & 1u) != 0) ++bits;
        return (value >> shift) == (bits == 32 ? ~0u : (1u << bits) - 1);  // contiguous
    }
    std::uint8_t Extract(std::uint32_t pixel) const {
        const std::uint64_t raw = (pixel & mask) >> shift;
        if (bits >= kBitsPerByte) return static_cast<std::uint8_t>(raw >> (bits - kBitsPerByte));
        return static_cast<std::uint8_t>(raw * 255 / ((1u << bits) - 1));
    }
};

struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    std::uint32_t bitsPerPixel = 0;
    bool bitFields = false;
    ChannelMask red, green, blue;
    std::vector<Rgb> palette;
    std::uint32_t pixelOffset = 0;
    std::uint64_t stride = 0;
};

bool ReadPalette(const ByteView& bytes, std::uint64_t start, std::uint64_t count,
                 std::uint64_t entryBytes, BmpLayout& layout) {
    if (count == 0 || !bytes.Holds(start, count * entryBytes)) return false;
    if (start + count * entryBytes > layout.pixelOffset) return false;
    for (std::uint64_t entry = 0; entry < count; ++entry) {
        const std::uint8_t* bgr = bytes.At(start + entry * entryBytes);
        layout.palette.push_back({bgr[2], bgr[1], bgr[0]});
    }
    return true;
}

bool ReadCoreHeader(const ByteView& bytes, BmpLayout& layout) {
    std::uint32_t width = 0, height = 0, planes = 0, bits = 0;
    if (!bytes.U16(kFileHeaderBytes + kCoreWidth, width) ||
        !bytes.U16(kFileHeaderBytes + kCoreHeight, height) ||
        !bytes.U16(kFileHeaderBytes + kCorePlanes, planes) ||
        !bytes.U16(kFileHeaderBytes + kCoreBits, bits)) {
        return false;
    }
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    if (planes != 1) return false;
    if (bits > kBitsPerByte) return true;
    constexpr std::uint64_t kCoreEntryBytes = 3;
    const std::uint64_t start = kFileHeaderBytes + kCoreHeaderBytes;
    const std::uint64_t room = layout.pixelOffset > start ? layout.pixelOffset - start : 0;
    const std::uint64_t count = std::min<std::uint64_t>(1u << bits, room / kCoreEntryBytes);
    return ReadPalette(bytes, start, count, kCoreEntryBytes, layout);
}

bool ReadInfoHeader(const ByteView& bytes, std::uint32_t headerBytes, BmpLayout& layout) {
    std::uint32_t planes = 0, bits = 0, compression = 0, coloursUsed = 0;
    if (!bytes.S32(kFileHeaderBytes + kInfoWidth, layout.width) ||
        !bytes.S32(kFileHeaderBytes + kInfoHeight, layout.height) ||
        !bytes.U16(kFileHeaderBytes + kInfoPlanes, planes) ||
        !bytes.U16(kFileHeaderBytes + kInfoBits, bits) ||
        !bytes.U32(kFileHeaderBytes + kInfoCompression, compression) ||
        !bytes.U32(kFileHeaderBytes + kInfoColoursUsed, coloursUsed) || planes != 1) {
        return false;
    }
    layout.bitsPerPixel = bits;
    layout.topDown = layout.height < 0;
    if (layout.topDown) layout.height = -layout.height;

    std::uint64_t paletteStart = kFileHeaderBytes + headerBytes;
    if (compression == kCompressionBitFields) {
        if (bits != 32) return false;
        // A plain info header is followed by the masks; longer headers hold them.
        const std::size_t masks = headerBytes >= kInfoHeaderWithMasksBytes
                                      ? kFileHeaderBytes + kInfoHeaderBytes
                                      : kFileHeaderBytes + headerBytes;
        if (headerBytes < kInfoHeaderWithMasksBytes) paletteStart += kMaskBytes;
        std::uint32_t red = 0, green = 0, blue = 0;
        if (!bytes.U32(masks, red) || !bytes.U32(masks + sizeof red, green) ||
            !bytes.U32(masks + 2 * sizeof red, blue) || !layout.red.Set(red) ||
            !layout.green.Set(green) || !layout.blue.Set(blue)) {
            return false;
        }
        layout.bitFields = true;
    } else if (compression != kCompressionNone) {
        return false;
    }
    if (bits > kBitsPerByte) return bits == 24 || bits == 32;
    const std::uint64_t fullPalette = 1u << bits;
    if (coloursUsed > fullPalette) return false;
    constexpr std::uint64_t kInfoEntryBytes = 4;
    return ReadPalette(bytes, paletteStart, coloursUsed == 0 ? fullPalette : coloursUsed,
                       kInfoEntryBytes, layout);
}

bool ReadLayout(const ByteView& bytes, BmpLayout& layout) {
    std::uint32_t headerBytes = 0;
    if (!bytes.Holds(0, kFileHeaderBytes) || bytes.At(0)[0] != 'B' || bytes.At(0)[1] != 'M' ||
        !bytes.U32(kPixelOffsetField, layout.pixelOffset) ||
        !bytes.U32(kFileHeaderBytes, headerBytes)) {
        return false;
    }
    bool headerRead = false;
    if (headerBytes == kCoreHeaderBytes) {
        headerRead = ReadCoreHeader(bytes, layout);
    } else if (headerBytes >= kInfoHeaderBytes) {
        headerRead = ReadInfoHeader(bytes, headerBytes, layout);
    }
    if (!headerRead) return false;
    const std::uint32_t bits = layout.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
    if (layout.width < 1 || layout.height < 1 || layout.width > kMaxSide ||
        layout.height > kMaxSide || layout.width * layout.height > kMaxPixels) {
        return false;
    }
    if (layout.pixelOffset < kFileHeaderBytes + headerBytes) return false;
    // Rows are padded to whole 32-bit words.
    layout.stride = (static_cast<std::uint64_t>(layout.width) * bits + 31) / 32 * 4;
    return bytes.Holds(layout.pixelOffset, layout.stride * layout.height);
}

std::uint32_t PaletteIndex(const std::uint8_t* row, std::int64_t x, std::uint32_t bits) {
    const std::uint64_t bitOffset = static_cast<std::uint64_t>(x) * bits;
    const std::uint8_t byte = row[bitOffset / kBitsPerByte];
    const unsigned shift = kBitsPerByte - bits - bitOffset % kBitsPerByte;  // leftmost first
    return (byte >> shift) & ((1u << bits) - 1);
}

bool DecodePixel(const BmpLayout& layout, const std::uint8_t* row, std::int64_t x, Rgb& colour) {
    const std::uint32_t bits = layout.bitsPerPixel;
    if (bits <= kBitsPerByte) {
        const std::uint32_t index = PaletteIndex(row, x, bits);
        if (index >= layout.palette.size()) return false;
        colour = layout.palette[index];
        return true;
    }
    const std::uint8_t* pixel = row + x * (bits / kBitsPerByte);
    if (layout.bitFields) {
        const std::uint32_t value =
            pixel[0] | pixel[1] << 8 | pixel[2] << 16 | static_cast<std::uint32_t>(pixel[3]) << 24;
        colour = {layout.red.Extract(value), layout.green.Extract(value),
                  layout.blue.Extract(value)};
    } else {
        colour = {pixel[2], pixel[1], pixel[0]};
    }
    return true;
}

}  // namespace

bool ReadBmp(const std::string& path, RasterImage& image) {
    std::vector<std::uint8_t> fileBytes;
    if (!ReadWholeFile(path, fileBytes)) return false;
    const ByteView bytes(fileBytes);
    BmpLayout layout;
    if (!ReadLayout(bytes, layout)) return false;

    RasterImage decoded(static_cast<int>(layout.width), static_cast<int>(layout.height));
    for (std::int64_t y = 0; y < layout.height; ++y) {
        const std::int64_t storedRow = layout.topDown ? y : layout.height - 1 - y;
        const std::uint8_t* row = bytes.At(layout.pixelOffset + storedRow * layout.stride);
        for (std::int64_t x = 0; x < layout.width; ++x) {
            Rgb colour{};
            if (!DecodePixel(layout, row, x, colour)) return false;
            decoded.SetPixel(static_cast<int>(x), static_cast<int>(y), colour);
        }
    }
    image = std::move(decoded);
    return true;
}

}  // namespace vireluna::raster
