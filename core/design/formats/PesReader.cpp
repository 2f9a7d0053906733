// PES, read through its PEC section (also a bare PEC file): a header with the palette
// indices of the colour blocks, then a stitch list of pairs (dx, dy), y growing down.
#include <algorithm>
#include <array>
#include <cstring>

#include "core/design/ByteOrder.h"
#include "core/design/FormatRow.h"
#include "core/design/formats/PecColours.h"

namespace vireluna {
namespace {

constexpr char PesMagic[] = "#PES";
constexpr char BarePecMagic[] = "#PEC0001";
constexpr std::size_t MagicBytes = 4;
constexpr char PecLabel[] = "LA:";
constexpr std::size_t VersionBytes = 4;
constexpr std::size_t PesPrefixBytes = 12;  // magic, version, the PEC section's offset

// Offsets from the start of the PEC section.
constexpr std::size_t LastColourIndexOffset = 0x30;
constexpr std::size_t ColourIndicesOffset = 0x31;
constexpr std::size_t StitchListOffset = 0x214;

constexpr std::uint8_t EndByte = 0xFF;
constexpr std::uint8_t ColourChangeByte = 0xFE;
constexpr std::uint8_t ColourChangeSecond = 0xB0;
constexpr std::uint8_t LongForm = 0x80;
constexpr std::uint8_t TrimFlag = 0x20;
constexpr std::uint8_t JumpFlag = 0x10;

bool StartsWith(const std::uint8_t* first, std::size_t size, const char* magic,
                std::size_t length) {
    return size >= length && std::memcmp(first, magic, length) == 0;
}

bool HasPesSignature(const std::uint8_t* first, std::size_t size) {
    return StartsWith(first, size, PesMagic, MagicBytes) ||
           StartsWith(first, size, BarePecMagic, sizeof BarePecMagic - 1);
}

// A value of the one-byte form: 7-bit two's complement.
std::int32_t ShortValue(std::uint8_t byte) {
    return (byte & 0x40) != 0 ? byte - 0x80 : byte;
}

// A value of the two-byte form: 12-bit two's complement from the first byte's low bits.
std::int32_t LongValue(std::uint8_t first, std::uint8_t second) {
    const std::int32_t bits = ((first & 0x0F) << 8) | second;
    return (bits & 0x800) != 0 ? bits - 0x1000 : bits;
}

bool IsWithoutThread(std::uint8_t first) {
    return (first & (TrimFlag | JumpFlag)) != 0;
}

enum class Element { Move, ColourChange, End, Cut };

// The largest element of the stitch list: two values of the two-byte form.
constexpr std::size_t LongestElementBytes = 4;

// Reads one element of the stitch list through next(byte), which is false when the file ends
// (the element is then Cut).
template <typename NextByte>
Element ReadElement(NextByte& next, std::int32_t& dx, std::int32_t& dy, bool& withoutThread) {
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    if (!next(first)) return Element::Cut;
    if (first == EndByte) return Element::End;
    if (!next(second)) return Element::Cut;
    if (first == ColourChangeByte && second == ColourChangeSecond) {
        std::uint8_t alternating = 0;
        return next(alternating) ? Element::ColourChange : Element::Cut;
    }
    // The x value is one byte or two: the second byte begins y or ends x.
    std::uint8_t yFirst = second;
    if ((first & LongForm) == 0) {
        dx = ShortValue(first);
        withoutThread = false;
    } else {
        dx = LongValue(first, second);
        withoutThread = IsWithoutThread(first);
        if (!next(yFirst)) return Element::Cut;
    }
    if ((yFirst & LongForm) == 0) {
        dy = ShortValue(yFirst);
        return Element::Move;
    }
    std::uint8_t ySecond = 0;
    if (!next(ySecond)) return Element::Cut;
    dy = LongValue(yFirst, ySecond);
    withoutThread = withoutThread || IsWithoutThread(yFirst);
    return Element::Move;
}

// The next element, straight from the buffer when it surely holds all of it.
Element NextElement(DesignByteSource& source, std::int32_t& dx, std::int32_t& dy,
                    bool& withoutThread) {
    if (source.Buffered() >= LongestElementBytes) {
        const std::uint8_t* bytes = source.Next();
        std::size_t used = 0;
        auto next = [&](std::uint8_t& byte) {
            byte = bytes[used++];
            return true;
        };
        const Element element = ReadElement(next, dx, dy, withoutThread);
        source.Advance(used);
        return element;
    }
    auto next = [&](std::uint8_t& byte) { return source.TakeByte(byte); };
    return ReadElement(next, dx, dy, withoutThread);
}

// Moves to the PEC section; false when the file has none.
bool FindPecSection(DesignByteSource& source) {
    std::uint8_t prefix[PesPrefixBytes];
    if (!source.Take(prefix, MagicBytes)) return false;
    if (std::memcmp(prefix, PesMagic, MagicBytes) != 0) {
        return source.Read(nullptr, sizeof BarePecMagic - 1 - MagicBytes) ==
               sizeof BarePecMagic - 1 - MagicBytes;
    }
    if (!source.Take(prefix + MagicBytes, PesPrefixBytes - MagicBytes)) return false;
    const std::uint32_t offset = LittleEndian32(prefix + MagicBytes + VersionBytes);
    if (offset < PesPrefixBytes) return false;  // the section cannot overlap the prefix
    const std::uint64_t gap = offset - PesPrefixBytes;
    return source.Read(nullptr, gap) == gap;
}

bool ReadPes(DesignByteSource& source, RecordBuilder& records) {
    if (!FindPecSection(source)) return false;
    std::array<std::uint8_t, StitchListOffset> header;
    if (!source.Take(header.data(), header.size())) return false;
    // An offset that is off lands anywhere: the section is there only if its label is.
    if (std::memcmp(header.data(), PecLabel, sizeof PecLabel - 1) != 0) return false;
    const std::int32_t indexCount = header[LastColourIndexOffset] + 1;
    // Blocks beyond the list keep the last colour listed.
    const auto blockColour = [&](std::int32_t block) {
        const std::int32_t entry = std::min(block, indexCount - 1);
        return PecColour(header[ColourIndicesOffset + entry]);
    };
    records.SetColour(blockColour(0));

    // The start point is the first needle drop.
    if (!records.Stitch(0, 0)) return true;
    for (;;) {
        std::int32_t dx = 0;
        std::int32_t dy = 0;
        bool withoutThread = false;
        switch (NextElement(source, dx, dy, withoutThread)) {
            case Element::Cut:
                return true;  // an element cut off leaves nothing
            case Element::End:
                records.EndCodeSeen();
                return true;
            case Element::ColourChange:
                if (!records.ColourChange()) return true;
                records.SetColour(blockColour(records.ColourBlocks() - 1));
                break;
            case Element::Move: {
                const std::int64_t x = records.X() + dx;
                const std::int64_t y = records.Y() + dy;
                if (!(withoutThread ? records.Jump(x, y) : records.Stitch(x, y))) return true;
                break;
            }
        }
    }
}

}  // namespace

const FormatRow PesFormat{"PES", ".pes", HasPesSignature, true, ReadPes};

}  // namespace vireluna
