#include "tests/native/PeResourceReader.h"

#include <fstream>
#include <iterator>

namespace vireluna::testing::pe {
namespace {

constexpr std::uint32_t DosHeaderPeOffset = 0x3C;
constexpr std::uint32_t CoffHeaderBytes = 20;
constexpr std::uint16_t Pe32Magic = 0x10B;
constexpr std::uint16_t Pe32PlusMagic = 0x20B;
constexpr std::uint32_t Pe32DirectoriesAt = 96;
constexpr std::uint32_t Pe32PlusDirectoriesAt = 112;
constexpr std::uint32_t ResourceDirectoryIndex = 2;
constexpr std::uint32_t SectionHeaderBytes = 40;
constexpr std::uint32_t HighBit = 0x80000000u;
constexpr std::uint16_t OrdinalMarker = 0xFFFF;
constexpr std::uint16_t ExtendedDialogSignature = 0xFFFF;
constexpr std::uint32_t DsSetFont = 0x40;
constexpr int StringsPerTable = 16;

// Little-endian fields at a running position; once anything lies beyond the data, every
// further read gives 0 and ok() is false.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> data, std::size_t at = 0)
        : data_(data), at_(at) {}

    bool ok() const { return ok_; }
    std::size_t at() const { return at_; }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Bytes(2)); }
    std::int16_t S16() { return static_cast<std::int16_t>(U16()); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Bytes(4)); }
    std::uint8_t U8() { return static_cast<std::uint8_t>(Bytes(1)); }
    void AlignTo4() { at_ = (at_ + 3) & ~std::size_t{3}; }
    void Skip(std::size_t count) {
        if (count > data_.size() || at_ > data_.size() - count) ok_ = false;
        at_ += count;
    }

    // count UTF-16 units, or up to a zero unit when count is empty; as UTF-8.
    std::string Utf16(std::optional<std::size_t> count = std::nullopt) {
        std::u16string units;
        while (ok_ && (count ? units.size() < *count : true)) {
            const char16_t unit = U16();
            if (!count && unit == 0) break;
            units.push_back(unit);
        }
        return ToUtf8(units);
    }
    NameOrNumber NameOrOrdinal() {
        const std::uint16_t first = U16();
        if (first == OrdinalMarker) return {{}, U16()};
        if (first == 0) return {};
        at_ -= 2;
        return {Utf16(), std::nullopt};
    }

  private:
    std::uint64_t Bytes(std::size_t count) {
        if (!ok_ || count > data_.size() || at_ > data_.size() - count) {
            ok_ = false;
            return 0;
        }
        std::uint64_t value = 0;
        for (std::size_t i = count; i-- > 0;) value = value << 8 | data_[at_ + i];
        at_ += count;
        return value;
    }
    static std::string ToUtf8(const std::u16string& units) {
        std::string text;
        for (std::size_t i = 0; i < units.size(); ++i) {
            char32_t point = units[i];
            if (point >= 0xD800 && point < 0xDC00 && i + 1 < units.size()) {
                point = 0x10000 + ((point - 0xD800) << 10) + (units[++i] - 0xDC00);
            }
            if (point < 0x80) {
                text += static_cast<char>(point);
            } else if (point < 0x800) {
                text += static_cast<char>(0xC0 | point >> 6);
                text += static_cast<char>(0x80 | (point & 0x3F));
            } else if (point < 0x10000) {
                text += static_cast<char>(0xE0 | point >> 12);
                text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
                text += static_cast<char>(0x80 | (point & 0x3F));
            } else {
                text += static_cast<char>(0xF0 | point >> 18);
                text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
                text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
                text += static_cast<char>(0x80 | (point & 0x3F));
            }
        }
        return text;
    }

    std::span<const std::uint8_t> data_;
    std::size_t at_;
    bool ok_ = true;
};

std::string ClassName(const NameOrNumber& windowClass) {
    if (!windowClass.number) return windowClass.name;
    switch (*windowClass.number) {
        case 0x80:
            return "Button";
        case 0x81:
            return "Edit";
        case 0x82:
            return "Static";
        case 0x83:
            return "ListBox";
        case 0x84:
            return "ScrollBar";
        case 0x85:
            return "ComboBox";
    }
    return "#" + std::to_string(*windowClass.number);
}

// A BITMAPINFOHEADER (or the older core header) at the reader's position.
ImageShape ReadBitmapHeader(Reader& header, bool holdsMask, std::uint32_t& headerBytes) {
    headerBytes = header.U32();
    ImageShape shape;
    if (headerBytes == 12) {
        shape.width = header.U16();
        shape.height = header.U16();
        header.U16();
        shape.bitCount = header.U16();
    } else {
        shape.width = static_cast<std::int32_t>(header.U32());
        const auto height = static_cast<std::int32_t>(header.U32());
        shape.height = height < 0 ? -height : height;
        header.U16();
        shape.bitCount = header.U16();
    }
    if (holdsMask) shape.height /= 2;
    return shape;
}

// An icon's or cursor's picture: a bitmap with its mask, or a PNG.
std::optional<ImageShape> PictureShape(std::span<const std::uint8_t> image) {
    static constexpr std::uint8_t PngSignature[] = {0x89, 'P', 'N', 'G'};
    if (image.size() >= 24 &&
        std::equal(std::begin(PngSignature), std::end(PngSignature), image.begin())) {
        const auto big = [&](std::size_t at) {
            return static_cast<int>(std::uint32_t{image[at]} << 24 | image[at + 1] << 16 |
                                    image[at + 2] << 8 | image[at + 3]);
        };
        return ImageShape{big(16), big(20), 32};
    }
    Reader header(image);
    std::uint32_t headerBytes = 0;
    const ImageShape shape = ReadBitmapHeader(header, true, headerBytes);
    if (!header.ok()) return std::nullopt;
    return shape;
}

// The pictures of a group: each entry names its image by id in its last two bytes.
std::vector<std::uint16_t> GroupMembers(std::span<const std::uint8_t> group) {
    constexpr std::size_t EntryBytes = 14;
    Reader reader(group);
    reader.U16();
    reader.U16();
    const std::uint16_t count = reader.U16();
    std::vector<std::uint16_t> ids;
    for (std::uint16_t i = 0; i < count && reader.ok(); ++i) {
        reader.Skip(EntryBytes - 2);
        const std::uint16_t id = reader.U16();
        if (reader.ok()) ids.push_back(id);
    }
    return ids;
}

// Every pixel of a cursor picture with its mask keeps the screen: all colour bits 0 and
// all mask bits 1, row by row as the rows are padded to four bytes.
bool LeavesScreenAlone(Reader& bits, const ImageShape& shape, std::uint32_t paletteEntries) {
    bits.Skip(paletteEntries * 4);
    const auto rowBytes = [](int width, int bitCount) {
        return static_cast<std::size_t>((width * bitCount + 31) / 32 * 4);
    };
    for (int pass = 0; pass < 2; ++pass) {
        const int bitCount = pass == 0 ? shape.bitCount : 1;
        const std::uint8_t keep = pass == 0 ? 0x00 : 0xFF;
        const std::size_t usedBits = static_cast<std::size_t>(shape.width) * bitCount;
        for (int row = 0; row < shape.height; ++row) {
            const std::size_t rowStart = bits.at();
            for (std::size_t bit = 0; bit < usedBits; bit += 8) {
                const std::uint8_t byte = bits.U8();
                const std::size_t left = usedBits - bit;
                const std::uint8_t used =
                    left >= 8 ? 0xFF : static_cast<std::uint8_t>(0xFF << (8 - left));
                if ((byte & used) != (keep & used)) return false;
            }
            bits.Skip(rowStart + rowBytes(shape.width, bitCount) - bits.at());
        }
    }
    return bits.ok();
}

}  // namespace

std::optional<ResourceFile> ResourceFile::Load(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path;
        return std::nullopt;
    }
    ResourceFile file;
    file.bytes_.assign(std::istreambuf_iterator<char>(in), {});
    Reader dos(file.bytes_);
    if (dos.U16() != 0x5A4D) {
        error = path + " is not a program (no MZ header)";
        return std::nullopt;
    }
    dos.Skip(DosHeaderPeOffset - 2);
    const std::uint32_t peAt = dos.U32();
    Reader pe(file.bytes_, peAt);
    if (pe.U32() != 0x00004550) {
        error = path + " has no PE header";
        return std::nullopt;
    }
    pe.U16();
    const std::uint16_t sectionCount = pe.U16();
    pe.Skip(12);
    const std::uint16_t optionalBytes = pe.U16();
    pe.U16();
    const std::size_t optionalAt = pe.at();
    const std::uint16_t magic = pe.U16();
    if (magic != Pe32Magic && magic != Pe32PlusMagic) {
        error = path + " has an unknown optional header";
        return std::nullopt;
    }
    Reader directory(file.bytes_,
                     optionalAt + (magic == Pe32Magic ? Pe32DirectoriesAt : Pe32PlusDirectoriesAt) +
                         ResourceDirectoryIndex * 8);
    const std::uint32_t resourceRva = directory.U32();
    const std::uint32_t resourceSize = directory.U32();
    Reader sections(file.bytes_, peAt + 4 + CoffHeaderBytes + optionalBytes);
    for (std::uint16_t i = 0; i < sectionCount; ++i) {
        sections.Skip(8);
        Section section{};
        section.size = sections.U32();
        section.address = sections.U32();
        section.fileSize = sections.U32();
        section.fileOffset = sections.U32();
        sections.Skip(SectionHeaderBytes - 24);
        file.sections_.push_back(section);
    }
    const std::optional<std::uint32_t> base = file.FileOffset(resourceRva, resourceSize);
    if (!directory.ok() || !sections.ok() || resourceRva == 0 || !base) {
        error = path + " holds no resources";
        return std::nullopt;
    }
    file.resourceBase_ = *base;
    return file;
}

std::optional<std::uint32_t> ResourceFile::FileOffset(std::uint32_t rva, std::uint32_t size) const {
    for (const Section& section : sections_) {
        if (rva < section.address || rva - section.address >= section.fileSize) continue;
        const std::uint32_t inSection = rva - section.address;
        if (size > section.fileSize - inSection) return std::nullopt;
        const std::uint64_t end = std::uint64_t{section.fileOffset} + inSection + size;
        if (end > bytes_.size()) return std::nullopt;
        return section.fileOffset + inSection;
    }
    return std::nullopt;
}

// The entry of a resource directory with this id (any entry when id is 0 and a data entry is
// wanted: the first language); its offset from the start of the resources.
std::optional<std::uint32_t> ResourceFile::Entry(std::uint32_t directory, std::uint16_t id,
                                                 bool wantDirectory) const {
    Reader header(bytes_, resourceBase_ + directory + 12);
    const std::uint32_t count = std::uint32_t{header.U16()} + header.U16();
    for (std::uint32_t i = 0; i < count && header.ok(); ++i) {
        const std::uint32_t name = header.U32();
        const std::uint32_t target = header.U32();
        const bool named = (name & HighBit) != 0;
        const bool isDirectory = (target & HighBit) != 0;
        if (isDirectory != wantDirectory) continue;
        if (wantDirectory ? (!named && name == id) : true) return target & ~HighBit;
    }
    return std::nullopt;
}

std::optional<std::span<const std::uint8_t>> ResourceFile::Find(std::uint16_t type,
                                                                std::uint16_t id) const {
    const std::optional<std::uint32_t> names = Entry(0, type, true);
    if (!names) return std::nullopt;
    const std::optional<std::uint32_t> languages = Entry(*names, id, true);
    if (!languages) return std::nullopt;
    const std::optional<std::uint32_t> entry = Entry(*languages, 0, false);
    if (!entry) return std::nullopt;
    Reader data(bytes_, resourceBase_ + *entry);
    const std::uint32_t rva = data.U32();
    const std::uint32_t size = data.U32();
    const std::optional<std::uint32_t> at = data.ok() ? FileOffset(rva, size) : std::nullopt;
    if (!at) return std::nullopt;
    return std::span<const std::uint8_t>(bytes_).subspan(*at, size);
}

std::optional<std::string> ResourceFile::String(std::uint16_t id) const {
    const auto table = Find(TypeString, static_cast<std::uint16_t>(id / StringsPerTable + 1));
    if (!table) return std::nullopt;
    Reader reader(*table);
    for (int i = 0; i < id % StringsPerTable; ++i) reader.Skip(std::size_t{reader.U16()} * 2);
    const std::uint16_t length = reader.U16();
    std::string text = reader.Utf16(length);
    if (!reader.ok() || length == 0) return std::nullopt;
    return text;
}

std::optional<DialogTemplate> ParseDialog(std::span<const std::uint8_t> data) {
    Reader reader(data);
    const bool extended = reader.U16() == 1 && reader.U16() == ExtendedDialogSignature;
    if (!extended) reader = Reader(data);
    DialogTemplate dialog;
    if (extended) {
        reader.U32();  // help id
        reader.U32();  // extended style
        dialog.style = reader.U32();
    } else {
        dialog.style = reader.U32();
        reader.U32();
    }
    const std::uint16_t count = reader.U16();
    dialog.x = reader.S16();
    dialog.y = reader.S16();
    dialog.width = reader.S16();
    dialog.height = reader.S16();
    reader.NameOrOrdinal();  // menu
    reader.NameOrOrdinal();  // class
    dialog.caption = reader.Utf16();
    if (dialog.style & DsSetFont) {
        dialog.fontPoints = reader.U16();
        if (extended) {
            reader.U16();  // weight
            reader.U8();   // italic
            reader.U8();   // character set
        }
        dialog.typeface = reader.Utf16();
    }
    for (std::uint16_t i = 0; i < count && reader.ok(); ++i) {
        reader.AlignTo4();
        DialogControl control;
        if (extended) {
            reader.U32();
            reader.U32();
            control.style = reader.U32();
        } else {
            control.style = reader.U32();
            reader.U32();
        }
        control.x = reader.S16();
        control.y = reader.S16();
        control.width = reader.S16();
        control.height = reader.S16();
        control.id = extended ? static_cast<std::int32_t>(reader.U32()) : reader.S16();
        control.className = ClassName(reader.NameOrOrdinal());
        control.text = reader.NameOrOrdinal();
        reader.Skip(reader.U16());  // creation data
        dialog.controls.push_back(control);
    }
    if (!reader.ok()) return std::nullopt;
    return dialog;
}

namespace {
// The images an icon or cursor group names, each a resource of its own.
std::vector<std::span<const std::uint8_t>> GroupImages(const ResourceFile& file,
                                                       std::uint16_t groupType,
                                                       std::uint16_t imageType,
                                                       std::uint16_t groupId) {
    std::vector<std::span<const std::uint8_t>> images;
    const auto group = file.Find(groupType, groupId);
    if (!group) return images;
    for (const std::uint16_t id : GroupMembers(*group)) {
        if (const auto image = file.Find(imageType, id)) images.push_back(*image);
    }
    return images;
}
}  // namespace

std::vector<ImageShape> IconImages(const ResourceFile& file, std::uint16_t groupId) {
    std::vector<ImageShape> images;
    for (const auto image : GroupImages(file, TypeGroupIcon, TypeIcon, groupId)) {
        if (const auto shape = PictureShape(image)) images.push_back(*shape);
    }
    return images;
}

std::vector<CursorImage> CursorImages(const ResourceFile& file, std::uint16_t groupId) {
    std::vector<CursorImage> cursors;
    for (const auto image : GroupImages(file, TypeGroupCursor, TypeCursor, groupId)) {
        Reader reader(image);
        CursorImage cursor;
        cursor.hotSpotX = reader.U16();
        cursor.hotSpotY = reader.U16();
        const std::size_t headerAt = reader.at();
        std::uint32_t headerBytes = 0;
        cursor.shape = ReadBitmapHeader(reader, true, headerBytes);
        Reader counts(image, headerAt + 32);
        std::uint32_t palette = headerBytes > 12 ? counts.U32() : 0;
        if (palette == 0 && cursor.shape.bitCount <= 8) palette = 1u << cursor.shape.bitCount;
        Reader bits(image, headerAt + headerBytes);
        cursor.fullyTransparent = LeavesScreenAlone(bits, cursor.shape, palette);
        if (reader.ok()) cursors.push_back(cursor);
    }
    return cursors;
}

std::optional<ImageShape> BitmapShape(const ResourceFile& file, std::uint16_t id) {
    const auto data = file.Find(TypeBitmap, id);
    if (!data) return std::nullopt;
    Reader reader(*data);
    std::uint32_t headerBytes = 0;
    const ImageShape shape = ReadBitmapHeader(reader, false, headerBytes);
    if (!reader.ok()) return std::nullopt;
    return shape;
}

}  // namespace vireluna::testing::pe
