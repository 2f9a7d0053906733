// EXP: pairs of signed bytes (dx, dy), y growing up; 0x80 escapes a command and its pair.
#include "core/design/FormatRow.h"

namespace vireluna {
namespace {

constexpr std::uint8_t Escape = 0x80;
constexpr std::uint8_t ColourChangeCommand = 0x01;
constexpr std::uint8_t StitchCommand = 0x02;
constexpr std::uint8_t JumpCommand = 0x04;
constexpr std::uint8_t TrimCommand = 0x80;

std::int32_t Signed(std::uint8_t byte) {
    return static_cast<std::int8_t>(byte);
}

// No header and no end code: the file simply ends.
bool ReadExp(DesignByteSource& source, RecordBuilder& records) {
    records.SetColour(DefaultBlockColour(0));
    std::uint8_t pair[2];
    while (source.ReadPair(pair)) {
        bool room = true;
        if (pair[0] != Escape) {
            room = records.Stitch(records.X() + Signed(pair[0]), records.Y() - Signed(pair[1]));
            if (!room) return true;
            continue;
        }
        const std::uint8_t command = pair[1];
        if (!source.ReadPair(pair)) return true;  // a command cut off leaves nothing
        const std::int64_t x = records.X() + Signed(pair[0]);
        const std::int64_t y = records.Y() - Signed(pair[1]);
        switch (command) {
            case StitchCommand:
                room = records.Stitch(x, y);
                break;
            case ColourChangeCommand:
                room = DefaultColourChangeAt(records, x, y);
                break;
            case TrimCommand:
                // Its pair is not a move.
                room = records.Jump(records.X(), records.Y());
                break;
            case JumpCommand:
            default:
                // An unknown command moves without thread rather than draw a false line.
                room = records.Jump(x, y);
                break;
        }
        if (!room) return true;
    }
    return true;
}

}  // namespace

const FormatRow ExpFormat{"EXP", ".exp", nullptr, false, ReadExp};

}  // namespace vireluna
