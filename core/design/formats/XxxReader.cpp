// XXX: a 256-byte header, records of signed byte pairs (y growing up) and escaped commands up
// to the end mark, then the thread colours.
#include <algorithm>
#include <array>

#include "core/design/ByteOrder.h"
#include "core/design/DesignLimits.h"
#include "core/design/FormatRow.h"

namespace vireluna {
namespace {

constexpr std::size_t HeaderBytes = 0x100;
constexpr std::size_t ColoursOffset = 0x27;
constexpr std::size_t EndMarkOffsetOffset = 0xFC;
constexpr std::size_t EndMarkBytes = 4 + 2;  // 7F 7F 03 14, then two zero bytes
constexpr std::size_t ColourBytes = 4;       // 0, R, G, B

constexpr std::uint8_t Escape = 0x7F;
constexpr std::uint8_t LongJump = 0x7E;
constexpr std::uint8_t OtherLongJump = 0x7D;
constexpr std::size_t PairBytes = 2;     // a stitch, or a command's first byte and the next
constexpr std::size_t LongJumpRest = 3;  // a long jump's: the rest of its two 16-bit moves
constexpr std::size_t CommandRest = 2;   // an escaped command's: its move
constexpr std::uint8_t ColourChangeCommand = 0x08;
constexpr std::uint8_t FirstOtherColourChange = 0x0A;
constexpr std::uint8_t LastOtherColourChange = 0x17;
constexpr std::uint8_t StitchingEndCommand = 0x18;
constexpr std::uint8_t EndMarkCommand = 0x7F;

// A command's first byte (7D, 7E or 7F) tops a stitch's positive range: one compare tells them
// apart.
static_assert(OtherLongJump + 1 == LongJump && LongJump + 1 == Escape);
bool StartsCommand(std::uint8_t first) {
    return static_cast<std::uint8_t>(first - OtherLongJump) <= Escape - OtherLongJump;
}

bool IsColourChange(std::uint8_t command) {
    return command == ColourChangeCommand ||
           (command >= FirstOtherColourChange && command <= LastOtherColourChange);
}

// The records up to the end mark, or until the design is full.
void ReadRecords(DesignByteSource& source, std::uint64_t endMark, RecordBuilder& records) {
    // After a jump the needle goes down where it landed when a stitch follows.
    bool landed = false;
    const auto jump = [&](std::int64_t x, std::int64_t y) {
        landed = true;
        return records.Jump(x, y);
    };
    const auto take = [&](std::uint8_t* bytes, std::size_t size) {
        return source.Position() + size <= endMark && source.Take(bytes, size);
    };
    // A long jump's bytes: its first, then two 16-bit values.
    std::uint8_t bytes[PairBytes + LongJumpRest];
    while (source.Position() + PairBytes <= endMark && source.ReadPair(bytes)) {
        if (!StartsCommand(bytes[0])) {
            if (landed && !records.Stitch(records.X(), records.Y())) return;
            landed = false;
            const std::int64_t x = records.X() + static_cast<std::int8_t>(bytes[0]);
            if (!records.Stitch(x, records.Y() - static_cast<std::int8_t>(bytes[1]))) return;
            continue;
        }
        if (bytes[0] != Escape) {  // LongJump or OtherLongJump
            if (!take(bytes + PairBytes, LongJumpRest)) return;
            const auto dx = static_cast<std::int16_t>(LittleEndian16(bytes + 1));
            const auto dy = static_cast<std::int16_t>(LittleEndian16(bytes + 3));
            if (!jump(records.X() + dx, records.Y() - dy)) return;
            continue;
        }
        if (!take(bytes + PairBytes, CommandRest)) return;
        const std::uint8_t command = bytes[1];
        const std::int64_t x = records.X() + static_cast<std::int8_t>(bytes[2]);
        const std::int64_t y = records.Y() - static_cast<std::int8_t>(bytes[3]);
        if (command == StitchingEndCommand || command == EndMarkCommand) {
            records.EndCodeSeen();
            return;
        }
        if (IsColourChange(command)) {
            if ((x != records.X() || y != records.Y()) && !jump(x, y)) return;
            if (!records.ColourChange()) return;
            records.SetColour(DefaultBlockColour(records.ColourBlocks() - 1));
            continue;
        }
        // A jump, a trim (its move a jump too), or a command not known: no thread across it.
        if (!jump(x, y)) return;
    }
}

bool ReadXxx(DesignByteSource& source, RecordBuilder& records) {
    std::array<std::uint8_t, HeaderBytes> header;
    if (!source.Take(header.data(), header.size())) return false;
    const std::uint32_t colourCount = LittleEndian16(&header[ColoursOffset]);
    const std::uint32_t endMark = LittleEndian32(&header[EndMarkOffsetOffset]);
    if (endMark < HeaderBytes) return false;
    // Until the colour list is read, a block has the colour of a format without colours.
    records.SetColour(DefaultBlockColour(0));
    ReadRecords(source, endMark, records);
    const std::uint64_t gap = endMark - std::min<std::uint64_t>(endMark, source.Position());
    if (source.Read(nullptr, gap + EndMarkBytes) != gap + EndMarkBytes) return true;
    const std::uint32_t listed = std::min<std::uint32_t>(colourCount, MaxDesignColours);
    for (std::uint32_t i = 0; i < listed; ++i) {
        std::uint8_t colour[ColourBytes];
        if (!source.Take(colour, sizeof colour)) return true;  // a cut list: the rest keep theirs
        records.SetBlockColour(static_cast<std::int32_t>(i),
                               RgbColour(colour[1], colour[2], colour[3]));
    }
    return true;
}

}  // namespace

const FormatRow XxxFormat{"XXX", ".xxx", nullptr, false, ReadXxx};

}  // namespace vireluna
