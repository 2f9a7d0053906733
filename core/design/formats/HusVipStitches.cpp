#include "core/design/formats/HusVipStitches.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/design/ByteOrder.h"
#include "core/design/DesignLimits.h"
#include "core/design/formats/LzHuffmanStream.h"

namespace vireluna {
namespace {

constexpr std::uint8_t FirstSignatures[][2] = {{0x5B, 0xAF}, {0x5D, 0xFC}};
constexpr std::size_t SignatureLength = 4;
constexpr std::size_t RecordCountOffset = 0x04;
constexpr std::size_t ColoursOffset = 0x08;
constexpr std::size_t AttributeOffsetOffset = 0x14;
constexpr std::size_t XOffsetOffset = 0x18;
constexpr std::size_t YOffsetOffset = 0x1C;

constexpr std::uint8_t StitchAttribute = 0x80;
constexpr std::uint8_t ColourChangeAttribute = 0x84;
constexpr std::uint8_t EndAttribute = 0x90;

// Records decoded per stream: one more than a design may hold is enough to tell that it
// does not fit. Each stream is decoded whole before the next, since the file is read forward.
constexpr std::size_t StreamCapacity = MaxStitchRecords + 1;

bool SkipTo(DesignByteSource& source, std::uint64_t offset) {
    if (offset < source.Position()) return false;  // streams overlap or run backwards
    const std::uint64_t gap = offset - source.Position();
    return source.Read(nullptr, gap) == gap;
}

}  // namespace

bool HasHusVipSignature(const std::uint8_t* first, std::size_t size, std::uint16_t kind) {
    if (size < SignatureLength || first[2] != (kind & 0xFF) || first[3] != kind >> 8) return false;
    return std::any_of(
        std::begin(FirstSignatures), std::end(FirstSignatures),
        [&](const std::uint8_t* pair) { return first[0] == pair[0] && first[1] == pair[1]; });
}

bool ReadHusVipHeader(DesignByteSource& source, std::uint16_t kind, HusVipHeader& header) {
    std::array<std::uint8_t, HusVipHeaderBytes> bytes;
    if (!source.Take(bytes.data(), bytes.size()) ||
        !HasHusVipSignature(bytes.data(), bytes.size(), kind)) {
        return false;
    }
    header.records = LittleEndian32(&bytes[RecordCountOffset]);
    header.colours = LittleEndian32(&bytes[ColoursOffset]);
    header.attributeOffset = LittleEndian32(&bytes[AttributeOffsetOffset]);
    header.xOffset = LittleEndian32(&bytes[XOffsetOffset]);
    header.yOffset = LittleEndian32(&bytes[YOffsetOffset]);
    // The end record is always counted, and there is always a first colour.
    return header.records > 0 && header.colours > 0;
}

bool ReadHusVipStitches(DesignByteSource& source, const HusVipHeader& header,
                        const ColourValue* colours, std::size_t colourCount,
                        RecordBuilder& records) {
    // The decoded streams, kept out of the heap and off the stack: loads run one at a time.
    static std::array<std::array<std::uint8_t, StreamCapacity>, 3> streams;
    const std::size_t count = std::min<std::size_t>(header.records, StreamCapacity);
    const std::uint64_t offsets[] = {header.attributeOffset, header.xOffset, header.yOffset,
                                     std::numeric_limits<std::uint64_t>::max()};
    for (std::size_t s = 0; s < streams.size(); ++s) {
        if (!SkipTo(source, offsets[s]) || offsets[s + 1] < offsets[s] ||
            !DecodeLzHuffmanStream(source, offsets[s + 1], streams[s].data(), count)) {
            return false;
        }
    }
    const auto colourOf = [&](std::int32_t block) {
        return colours[std::min<std::size_t>(static_cast<std::size_t>(block), colourCount - 1)];
    };
    records.SetColour(colourOf(0));
    const auto& [attributes, xs, ys] = streams;
    for (std::size_t i = 0; i < count; ++i) {
        // y grows up in the file.
        const std::int64_t x = records.X() + static_cast<std::int8_t>(xs[i]);
        const std::int64_t y = records.Y() - static_cast<std::int8_t>(ys[i]);
        bool room = true;
        switch (attributes[i]) {
            case StitchAttribute:
                room = records.Stitch(x, y);
                break;
            case ColourChangeAttribute:
                if (x != records.X() || y != records.Y()) room = records.Jump(x, y);
                room = room && records.ColourChange();
                records.SetColour(colourOf(records.ColourBlocks() - 1));
                break;
            case EndAttribute:
                records.EndCodeSeen();
                return true;
            default:
                // A jump, a trim, or an attribute not known: no thread, and the landing of a
                // run of jumps is no needle drop.
                room = records.Jump(x, y);
                break;
        }
        if (!room) return true;
    }
    // Records beyond the streams' room are refused unless the design was full before them.
    return header.records <= count || records.RecordCount() >= MaxStitchRecords - 1;
}

}  // namespace vireluna
