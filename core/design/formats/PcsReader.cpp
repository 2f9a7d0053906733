// PCS: slot colours, then 9-byte records of absolute positions in 1/6 mm with 8 fraction bits
// (y growing up) and a flag byte.
#include <algorithm>
#include <array>

#include "core/design/ByteOrder.h"
#include "core/design/FormatRow.h"

namespace vireluna {
namespace {

constexpr std::uint8_t Version = 0x32;
constexpr std::uint8_t Hoop = 0x03;
constexpr std::size_t PrefixBytes = 4;  // version, hoop, slot count
constexpr std::size_t SlotBytes = 4;    // R, G, B, 0
constexpr std::size_t MoveCountBytes = 2;
constexpr std::size_t RecordBytes = 9;
// A colour record names its slot in one byte.
constexpr std::size_t AddressableSlots = 256;

constexpr std::uint8_t StitchFlags = 0x00;
constexpr std::uint8_t ColourFlags = 0x03;

// 0.1 mm = value * 5 / 3 / 256, rounded to the nearest: rounding down moves points.
constexpr std::int64_t ValueFactor = 5;
constexpr std::int64_t ValueDivisor = 3 * 256;

bool HasPcsSignature(const std::uint8_t* first, std::size_t size) {
    return size >= PrefixBytes && first[0] == Version && first[1] == Hoop;
}

std::int64_t Units(const std::uint8_t* bytes) {
    const std::int64_t value = static_cast<std::int32_t>(LittleEndian32(bytes));
    const std::int64_t scaled = value * ValueFactor;
    const std::int64_t half = ValueDivisor / 2;
    return scaled >= 0 ? (scaled + half) / ValueDivisor : -((-scaled + half) / ValueDivisor);
}

bool ReadPcs(DesignByteSource& source, RecordBuilder& records) {
    std::uint8_t prefix[PrefixBytes];
    if (!source.Take(prefix, sizeof prefix)) return false;
    const std::size_t slotCount = LittleEndian16(&prefix[2]);
    std::array<ColourValue, AddressableSlots> slots;
    for (std::size_t i = 0; i < slotCount; ++i) {
        std::uint8_t slot[SlotBytes];
        if (!source.Take(slot, sizeof slot)) return false;
        if (i < slots.size()) slots[i] = RgbColour(slot[0], slot[1], slot[2]);
    }
    const std::size_t usable = std::min(slotCount, slots.size());
    // Slot numbers wrap round the table; without one a block has a colour of the saver's.
    const auto colourOf = [&](std::uint8_t slot) {
        return usable > 0 ? slots[slot % usable] : DefaultBlockColour(records.ColourBlocks() - 1);
    };
    std::uint8_t countBytes[MoveCountBytes];
    if (!source.Take(countBytes, sizeof countBytes)) return false;
    const unsigned moveCount = LittleEndian16(countBytes);

    records.SetColour(colourOf(0));
    bool first = true;
    // After a jump the needle goes down where it landed when a stitch follows.
    bool landed = false;
    std::uint8_t record[RecordBytes];
    // Read by the count: writers may pad the file with zeros, which would read as a stitch.
    for (unsigned moves = 0; moves < moveCount;) {
        if (!source.Take(record, sizeof record)) return true;  // a cut file keeps what it has
        const std::uint8_t flags = record[8];
        if (flags == ColourFlags) {
            // The first record sets the first thread.
            if (!first && !records.ColourChange()) return true;
            records.SetColour(colourOf(record[0]));
            first = false;
            continue;
        }
        first = false;
        ++moves;
        const std::int64_t x = Units(record);
        const std::int64_t y = -Units(record + 4);
        if (flags != StitchFlags) {
            // A jump, or flags not known: no thread across it.
            if (!records.Jump(x, y)) return true;
            landed = true;
            continue;
        }
        if (landed && !records.Stitch(records.X(), records.Y())) return true;
        landed = false;
        if (!records.Stitch(x, y)) return true;
    }
    records.EndCodeSeen();
    return true;
}

}  // namespace

const FormatRow PcsFormat{"PCS", ".pcs", HasPcsSignature, false, ReadPcs};

}  // namespace vireluna
