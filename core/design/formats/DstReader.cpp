// DST: a 512-byte text header, then 3-byte records in balanced ternary, y growing up.
#include <cstring>

#include "core/design/FormatRow.h"

namespace vireluna {
namespace {

constexpr std::size_t HeaderBytes = 512;
constexpr std::size_t RecordBytes = 3;
constexpr char Label[] = "LA:";

// The weight of each bit of one byte of a record, bit 7 first, on one axis.
struct BitWeights {
    std::int8_t y[8];
    std::int8_t x[8];
};
constexpr BitWeights ByteWeights[3] = {
    {{1, -1, 9, -9, 0, 0, 0, 0}, {0, 0, 0, 0, -9, 9, -1, 1}},
    {{3, -3, 27, -27, 0, 0, 0, 0}, {0, 0, 0, 0, -27, 27, -3, 3}},
    {{0, 0, 81, -81, 0, 0, 0, 0}, {0, 0, 0, 0, -81, 81, 0, 0}},
};

struct Move {
    std::int32_t dx;
    std::int32_t dy;
};

// The displacement of every possible byte value in each position, worked out once.
struct MoveTable {
    Move moves[3][256];
    constexpr MoveTable() : moves{} {
        for (int position = 0; position < 3; ++position) {
            for (int value = 0; value < 256; ++value) {
                Move move{0, 0};
                for (int bit = 0; bit < 8; ++bit) {
                    if ((value & (0x80 >> bit)) == 0) continue;
                    move.dx += ByteWeights[position].x[bit];
                    move.dy += ByteWeights[position].y[bit];
                }
                moves[position][value] = move;
            }
        }
    }
};
constexpr MoveTable Moves;

enum class DstKind { Stitch, Jump, ColourChange, End };

// Tested in this order: each later mask is a subset of the earlier ones.
DstKind KindOf(std::uint8_t b2) {
    if ((b2 & 0xF3) == 0xF3) return DstKind::End;
    if ((b2 & 0xC3) == 0xC3) return DstKind::ColourChange;
    if ((b2 & 0x83) == 0x83) return DstKind::Jump;
    if ((b2 & 0x43) == 0x43) return DstKind::Jump;  // sequin mode: no thread between
    return DstKind::Stitch;
}

bool HasDstSignature(const std::uint8_t* first, std::size_t size) {
    return size >= HeaderBytes && std::memcmp(first, Label, sizeof Label - 1) == 0;
}

// The header's fields are advisory: counts and extents come from the records.
bool ReadDst(DesignByteSource& source, RecordBuilder& records) {
    if (source.Read(nullptr, HeaderBytes) != HeaderBytes) return false;
    std::int64_t x = 0;
    std::int64_t y = 0;
    records.SetColour(DefaultBlockColour(0));
    std::uint8_t record[RecordBytes];
    while (source.Take(record, RecordBytes)) {
        const DstKind kind = KindOf(record[2]);
        if (kind == DstKind::End) {
            records.EndCodeSeen();
            return true;
        }
        x += Moves.moves[0][record[0]].dx + Moves.moves[1][record[1]].dx +
             Moves.moves[2][record[2]].dx;
        y -= Moves.moves[0][record[0]].dy + Moves.moves[1][record[1]].dy +
             Moves.moves[2][record[2]].dy;
        bool room = true;
        switch (kind) {
            case DstKind::Stitch:
                room = records.Stitch(x, y);
                break;
            case DstKind::Jump:
                room = records.Jump(x, y);
                break;
            case DstKind::ColourChange:
                room = DefaultColourChangeAt(records, x, y);
                break;
            case DstKind::End:
                break;
        }
        if (!room) return true;
    }
    return true;
}

}  // namespace

const FormatRow DstFormat{"DST", ".dst", HasDstSignature, true, ReadDst};

}  // namespace vireluna
