// VP3: big-endian sections tagged 00 0N 00 with 32-bit lengths; colour blocks of RGB threads
// whose stitch bytes are pairs (dx, dy) with y growing down; positions in micrometres, y up.
#include <cstring>

#include "core/design/FormatRow.h"

namespace vireluna {
namespace {

constexpr char Magic[] = "%vsm%";
constexpr std::size_t MagicBytes = sizeof Magic - 1 + 1;  // and a zero byte
constexpr std::uint8_t DesignTag = 0x02;
constexpr std::uint8_t HoopTag = 0x03;
constexpr std::uint8_t BlockTag = 0x05;
constexpr std::uint8_t StitchTag = 0x01;
// The design section's fields after its comment: extents, stitch total, thread count, a
// byte, design count.
constexpr std::uint64_t DesignFieldsBytes = 16 + 4 + 2 + 1 + 2;
constexpr std::uint64_t AfterCentreBytes = 3;
constexpr std::uint64_t HoopBoundsBytes = 16 + 8;      // bounds, then width and height
constexpr std::uint64_t BeforeProducerBytes = 24;      // two bytes, a matrix, six bytes
constexpr std::uint64_t ColourEntryBytes = 3 + 1 + 2;  // R, G, B, parts, length
constexpr std::uint64_t ThreadKindBytes = 2;           // type and weight
constexpr std::uint64_t DisplacementBytes = 8;
constexpr std::uint64_t StitchPrefixBytes = 3;  // 0A F6 00
constexpr std::int64_t MicrometresPerUnit = 100;

constexpr std::uint8_t Escape = 0x80;
constexpr std::uint8_t TravelCommand = 0x01;
constexpr std::size_t TravelBytes = 4 + 2;  // two 16-bit values, then 80 02

bool HasVp3Signature(const std::uint8_t* first, std::size_t size) {
    return size >= sizeof Magic - 1 && std::memcmp(first, Magic, sizeof Magic - 1) == 0;
}

class Vp3Source {
  public:
    explicit Vp3Source(DesignByteSource& source) : source_(source) {}

    bool Skip(std::uint64_t bytes) { return source_.Read(nullptr, bytes) == bytes; }

    bool Unsigned(std::size_t bytes, std::uint32_t& value) {
        std::uint8_t data[4];
        if (!source_.Take(data, bytes)) return false;
        value = 0;
        for (std::size_t i = 0; i < bytes; ++i) value = value << 8 | data[i];
        return true;
    }

    bool Int32(std::int32_t& value) {
        std::uint32_t bits = 0;
        if (!Unsigned(4, bits)) return false;
        value = static_cast<std::int32_t>(bits);
        return true;
    }

    bool SkipString() {
        std::uint32_t length = 0;
        return Unsigned(2, length) && Skip(length);
    }

    // A section's tag, then its length: the position where it ends.
    bool Section(std::uint8_t tag, std::uint64_t& end) {
        std::uint8_t bytes[3];
        std::uint32_t length = 0;
        if (!source_.Take(bytes, sizeof bytes) || bytes[0] != 0 || bytes[1] != tag ||
            bytes[2] != 0 || !Unsigned(4, length)) {
            return false;
        }
        end = source_.Position() + length;
        return true;
    }

    DesignByteSource& Bytes() { return source_; }

  private:
    DesignByteSource& source_;
};

// Micrometres, y up, to file units, y down, rounded to the nearest unit.
std::int64_t Units(std::int64_t micrometres) {
    const std::int64_t half = MicrometresPerUnit / 2;
    return micrometres >= 0 ? (micrometres + half) / MicrometresPerUnit
                            : -((-micrometres + half) / MicrometresPerUnit);
}

std::int32_t Signed16(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(high << 8 | low));
}

// The stitch bytes of one block, up to dataEnd; false once the design is full or the file
// ends. A command cut off by dataEnd leaves nothing.
bool ReadStitchBytes(DesignByteSource& source, std::uint64_t dataEnd, RecordBuilder& records) {
    std::uint8_t pair[2];
    while (source.Position() + sizeof pair <= dataEnd) {
        if (!source.ReadPair(pair)) return false;
        if (pair[0] != Escape) {
            const std::int64_t x = records.X() + static_cast<std::int8_t>(pair[0]);
            const std::int64_t y = records.Y() + static_cast<std::int8_t>(pair[1]);
            if (!records.Stitch(x, y)) return false;
            continue;
        }
        if (pair[1] == TravelCommand) {
            std::uint8_t travel[TravelBytes];
            if (source.Position() + sizeof travel > dataEnd) return true;
            if (!source.Take(travel, sizeof travel)) return false;
            // Travel without thread; the needle goes down where it lands.
            const std::int64_t x = records.X() + Signed16(travel[0], travel[1]);
            const std::int64_t y = records.Y() + Signed16(travel[2], travel[3]);
            if (!records.Jump(x, y) || !records.Stitch(x, y)) return false;
        } else if (!records.Jump(records.X(), records.Y())) {
            return false;  // a trim, or a command not known: no thread across it
        }
    }
    return true;
}

bool ReadHeader(Vp3Source& in, std::int64_t& centreX, std::int64_t& centreY,
                std::uint32_t& blockCount) {
    std::uint64_t end = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (!in.Skip(MagicBytes) || !in.SkipString() || !in.Section(DesignTag, end) ||
        !in.SkipString() || !in.Skip(DesignFieldsBytes) || !in.Section(HoopTag, end) ||
        !in.Int32(x) || !in.Int32(y) || !in.Skip(AfterCentreBytes) || !in.Skip(HoopBoundsBytes) ||
        !in.SkipString() || !in.Skip(BeforeProducerBytes) || !in.SkipString() ||
        !in.Unsigned(2, blockCount)) {
        return false;
    }
    centreX = x;
    centreY = y;
    return true;
}

// One colour block up to its stitch bytes; false when its header is not whole.
bool ReadBlockHeader(Vp3Source& in, std::uint64_t& blockEnd, std::int64_t& startX,
                     std::int64_t& startY, ColourValue& colour, std::uint64_t& dataEnd) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint8_t counts[2];  // colours, transition
    if (!in.Section(BlockTag, blockEnd) || !in.Int32(x) || !in.Int32(y) ||
        !in.Bytes().Take(counts, sizeof counts)) {
        return false;
    }
    startX = x;
    startY = y;
    colour = RgbColour(0, 0, 0);
    for (std::uint8_t i = 0; i < counts[0]; ++i) {
        std::uint8_t entry[ColourEntryBytes];
        if (!in.Bytes().Take(entry, sizeof entry)) return false;
        if (i == 0) colour = RgbColour(entry[0], entry[1], entry[2]);
    }
    return in.Skip(ThreadKindBytes) && in.SkipString() && in.SkipString() && in.SkipString() &&
           in.Skip(DisplacementBytes) && in.Section(StitchTag, dataEnd) &&
           in.Skip(StitchPrefixBytes);
}

// True when nothing is left of the file: what failed to read was cut off by its end.
bool AtEndOfFile(DesignByteSource& source) {
    return source.Read(nullptr, 1) == 0;
}

bool ReadVp3(DesignByteSource& source, RecordBuilder& records) {
    Vp3Source in(source);
    std::int64_t centreX = 0;
    std::int64_t centreY = 0;
    std::uint32_t blockCount = 0;
    if (!ReadHeader(in, centreX, centreY, blockCount)) return false;
    for (std::uint32_t block = 0; block < blockCount; ++block) {
        std::uint64_t blockEnd = 0;
        std::uint64_t dataEnd = 0;
        std::int64_t startX = 0;
        std::int64_t startY = 0;
        ColourValue colour = 0;
        if (!ReadBlockHeader(in, blockEnd, startX, startY, colour, dataEnd)) {
            // A file cut inside a later block keeps what came before; one cut before any
            // stitch, or a block header that is not one, holds no design.
            return block > 0 && AtEndOfFile(source);
        }
        // Stitch bytes that run past their block: one of the two lengths is false.
        if (dataEnd > blockEnd) return false;
        if (block > 0 && !records.ColourChange()) return true;
        records.SetColour(colour);
        // The block starts with a travel from where the last one ended; its stitch bytes
        // make the needle drops.
        if (!records.Jump(Units(centreX + startX), -Units(centreY + startY))) return true;
        if (!ReadStitchBytes(source, dataEnd, records)) return true;
        if (blockEnd > source.Position() && !in.Skip(blockEnd - source.Position())) return true;
    }
    records.EndCodeSeen();
    return true;
}

}  // namespace

const FormatRow Vp3Format{"VP3", ".vp3", HasVp3Signature, true, ReadVp3};

}  // namespace vireluna
