#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Writers of the other design formats, for tests: one design plan written in each format must
// read back to the same needle drops.
namespace vireluna::formats {

struct PlanPoint {
    int x;
    int y;  // file units (0.1 mm), y growing up
};

// Needle drops joined by thread; each step at most MaxPlanStep on either axis.
using PlanRun = std::vector<PlanPoint>;

struct PlanBlock {
    std::int32_t thread = 1;    // the saver's own format: a thread number of its palette
    std::uint8_t pecIndex = 1;  // PES: an index of the PEC palette
    std::uint8_t red = 0;       // VP3: the thread's colour
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::vector<PlanRun> runs;  // travel without thread between runs
    std::uint8_t husIndex = 0;  // HUS: an index of its fixed palette
};

// Blocks in order, parted by colour changes. The first drop of the design is the origin, as
// the formats without a header position have it; writers start there.
struct DesignPlan {
    std::vector<PlanBlock> blocks;
};

inline constexpr int MaxPlanStep = 121;

using Bytes = std::vector<std::uint8_t>;

Bytes WritePxs(const DesignPlan& plan);
Bytes WriteDst(const DesignPlan& plan);
Bytes WriteExp(const DesignPlan& plan);
// With explicitStart the list repeats the start point as a (0, 0) stitch, as some writers do.
Bytes WritePes(const DesignPlan& plan, bool explicitStart = false);
// A bare PEC file: its section at offset 8.
Bytes WriteBarePec(const DesignPlan& plan);
Bytes WriteVp3(const DesignPlan& plan);
// HUS and VIP: three streams compressed by CompressStream.
Bytes WriteHus(const DesignPlan& plan);
Bytes WriteVip(const DesignPlan& plan);
// XXX travels in short jumps then stitches on (its landing a needle drop), or in one long
// jump then a zero stitch; PCS holds absolute positions with a jump before every run.
Bytes WriteXxx(const DesignPlan& plan);
Bytes WritePcs(const DesignPlan& plan);

// --- single records, for the tests of the formats' facts ---------------------------
enum class DstKind { Stitch, Jump, ColourChange, End };
// One DST record moving (dx, dy), each -121..121, y up.
std::array<std::uint8_t, 3> DstRecord(int dx, int dy, DstKind kind);
// Appends one PEC coordinate: the one-byte form (-64..63) or the two-byte form (-2048..2047)
// with flag bits 0x20 (trim) and 0x10 (jump) in its first byte.
void AppendPecValue(Bytes& bytes, int value, bool longForm, std::uint8_t flags = 0);
// The bytes of a PES file holding the given stitch list (the end byte not added) and
// `colours` palette indices.
Bytes PesWithStitchList(const Bytes& stitchList, const std::vector<std::uint8_t>& colours);
// The bytes of a VP3 file of one block starting at the centre, of the given stitch bytes.
Bytes Vp3WithStitchBytes(const Bytes& stitchBytes);

// A HUS file of the given records (attribute, x, y with y up) and palette indices.
Bytes HusWithRecords(const Bytes& attributes, const Bytes& xs, const Bytes& ys,
                     const std::vector<std::uint16_t>& paletteIndices);

// Bits most significant first, as the HUS and VIP streams hold them.
class BitWriter {
  public:
    void Put(std::uint32_t value, int bits);
    // The bytes, the last one padded with zero bits.
    const Bytes& Finish() { return bytes_; }

  private:
    Bytes bytes_;
    int used_ = 8;  // bits of the last byte taken
};
// One HUS/VIP stream: LZ77 matches within the 1024-byte window, blocks of at most
// blockSymbols symbols, every symbol coded in 9 bits and every distance code in 4.
Bytes CompressStream(const Bytes& data, std::size_t blockSymbols = 26624);

bool WriteBytes(const Bytes& bytes, const char* utf8Path);

}  // namespace vireluna::formats
