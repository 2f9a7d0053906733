// The other formats read into the same records as the saver's own: one design written in
// each loads to the same needle drops, each format's own facts hold (where a run of jumps
// lands, the colours each keeps, PCS positions), and damaged or too long files end or are
// refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "core/design/DesignFileLoader.h"
#include "core/design/DesignFileNames.h"
#include "core/design/ThreadPalette.h"
#include "core/ports/MemoryInputFile.h"
#include "tests/core/LoadedDesign.h"
#include "tools/formats/DesignPlan.h"

namespace vireluna {
namespace {

using formats::Bytes;
using formats::DesignPlan;

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int count) {
    if (bytes.size() < at + count) bytes.resize(at + count);
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

DesignFileCounts Count(const Bytes& bytes, const char* name) {
    MemoryInputFile file(bytes.data(), bytes.size());
    file.Open(name);
    return CountDesignFile(file, name);
}

// Short and long stitches, travels beyond every format's single move, three threads.
DesignPlan SamplePlan() {
    DesignPlan plan;
    formats::PlanBlock first{15, 5, 237, 23, 31, {}, 3};
    first.runs.push_back({{0, 0}, {10, 0}, {10, 10}, {-111, 60}, {0, -61}});
    first.runs.push_back({{300, 200}, {310, 205}, {330, 180}});
    formats::PlanBlock second{6, 37, 102, 186, 73, {}, 2};
    second.runs.push_back({{330, 185}, {400, 185}, {400, 300}});
    second.runs.push_back({{-2600, -700}, {-2590, -690}});
    formats::PlanBlock third{12, 2, 10, 85, 163, {}, 1};
    third.runs.push_back({{0, 5}, {5, 5}});
    plan.blocks = {first, second, third};
    return plan;
}

TEST(DesignFormats, OneDesignLoadsToTheSameNeedleDropsInEveryFormat) {
    const DesignPlan plan = SamplePlan();
    Loaded own;
    ASSERT_TRUE(own.Load(formats::WritePxs(plan), "plan.pxs"));
    const std::vector<Drop> expected = own.Drops();
    ASSERT_EQ(expected.size(), 15u);
    EXPECT_EQ(expected[1], (Drop{10, 0, true, 0}));  // y grows down
    EXPECT_EQ(expected[2], (Drop{10, -10, true, 0}));
    EXPECT_EQ(expected[5], (Drop{300, -200, false, 0}));

    const std::vector<std::pair<std::string, Bytes>> files = {
        {"plan.dst", formats::WriteDst(plan)},
        {"plan.exp", formats::WriteExp(plan)},
        {"plan.pes", formats::WritePes(plan)},
        {"start-repeated.pes", formats::WritePes(plan, true)},
        {"bare.pec", formats::WriteBarePec(plan)},
        {"plan.vp3", formats::WriteVp3(plan)},
        {"plan.hus", formats::WriteHus(plan)},
        {"plan.vip", formats::WriteVip(plan)},
        {"plan.xxx", formats::WriteXxx(plan)},
        {"plan.pcs", formats::WritePcs(plan)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        Loaded other;
        ASSERT_TRUE(other.Load(bytes, name));
        EXPECT_NE(other.info.format, &PxsFormat);
        EXPECT_EQ(other.Drops(), expected);
        EXPECT_EQ(other.design.colourCount, 3);
        // Placement uses the extents: they span the same drops.
        EXPECT_EQ(other.design.extents.maxX - other.design.extents.minX,
                  own.design.extents.maxX - own.design.extents.minX);
        EXPECT_EQ(other.design.extents.maxY - other.design.extents.minY,
                  own.design.extents.maxY - own.design.extents.minY);
    }

    // Scaled by the reduction as the saver's own format is.
    Loaded ownHalf;
    Loaded dstHalf;
    ASSERT_TRUE(ownHalf.Load(formats::WritePxs(plan), "plan.pxs", 50));
    ASSERT_TRUE(dstHalf.Load(formats::WriteDst(plan), "plan.dst", 50));
    EXPECT_EQ(dstHalf.Drops(), ownHalf.Drops());
}

TEST(DesignFormats, ColoursComeFromTheFileOrTheDefaultSequence) {
    const DesignPlan plan = SamplePlan();
    Loaded pes;
    ASSERT_TRUE(pes.Load(formats::WritePes(plan), "plan.pes"));
    EXPECT_EQ(pes.design.colours[0], RgbColour(237, 23, 31));   // index 5
    EXPECT_EQ(pes.design.colours[1], RgbColour(102, 186, 73));  // index 37
    EXPECT_EQ(pes.design.colours[2], RgbColour(10, 85, 163));   // index 2

    Loaded vp3;
    ASSERT_TRUE(vp3.Load(formats::WriteVp3(plan), "plan.vp3"));
    EXPECT_EQ(vp3.design.colours[1], RgbColour(102, 186, 73));

    Loaded exp;
    ASSERT_TRUE(exp.Load(formats::WriteExp(plan), "plan.exp"));
    const ThreadPalette palette;
    EXPECT_EQ(exp.design.colours[0], palette.ColourForNumber(12));  // blue
    EXPECT_EQ(exp.design.colours[1], palette.ColourForNumber(10));  // red
    EXPECT_EQ(exp.design.colours[2], palette.ColourForNumber(6));   // green
    for (std::int32_t a = 0; a < 10; ++a) {
        for (std::int32_t b = a + 1; b < 10; ++b)
            EXPECT_NE(DefaultBlockColour(a), DefaultBlockColour(b));
    }

    // A PEC index beyond the table is the unknown thread.
    Loaded unknown;
    ASSERT_TRUE(unknown.Load(formats::PesWithStitchList({0x0A, 0x00}, {65}), "x.pes"));
    EXPECT_EQ(unknown.design.colours[0], RgbColour(0, 0, 0));
}

Bytes DstOf(std::initializer_list<std::array<std::uint8_t, 3>> records) {
    Bytes bytes(512, ' ');
    bytes[0] = 'L';
    bytes[1] = 'A';
    bytes[2] = ':';
    for (const auto& record : records) bytes.insert(bytes.end(), record.begin(), record.end());
    return bytes;
}

TEST(DesignFormats, DstBitTable) {
    struct Bit {
        int byte;
        std::uint8_t mask;
        int dx;
        int dy;  // y up, as stored
    };
    const Bit bits[] = {
        {0, 0x80, 0, 1},  {0, 0x40, 0, -1},  {0, 0x20, 0, 9},   {0, 0x10, 0, -9},  {0, 0x08, -9, 0},
        {0, 0x04, 9, 0},  {0, 0x02, -1, 0},  {0, 0x01, 1, 0},   {1, 0x80, 0, 3},   {1, 0x40, 0, -3},
        {1, 0x20, 0, 27}, {1, 0x10, 0, -27}, {1, 0x08, -27, 0}, {1, 0x04, 27, 0},  {1, 0x02, -3, 0},
        {1, 0x01, 3, 0},  {2, 0x20, 0, 81},  {2, 0x10, 0, -81}, {2, 0x08, -81, 0}, {2, 0x04, 81, 0},
    };
    for (const Bit& bit : bits) {
        std::array<std::uint8_t, 3> record{0, 0, 0x03};
        record[bit.byte] |= bit.mask;
        Loaded loaded;
        ASSERT_TRUE(loaded.Load(DstOf({{0, 0, 0x03}, record}), "bit.dst"));
        ASSERT_EQ(loaded.design.recordCount, 2) << bit.byte << " " << int{bit.mask};
        EXPECT_EQ(loaded.design.records[1].x, bit.dx) << bit.byte << " " << int{bit.mask};
        EXPECT_EQ(loaded.design.records[1].y, -bit.dy) << bit.byte << " " << int{bit.mask};
    }
    // The kinds from the third byte, tested in order: end, change, jump, sequin, stitch.
    Loaded kinds;
    ASSERT_TRUE(kinds.Load(DstOf({{0x01, 0, 0x03},
                                  {0x01, 0, 0x83},
                                  {0x01, 0, 0x43},
                                  {0x01, 0, 0xC3},
                                  {0x01, 0, 0x03},
                                  {0, 0, 0xF3},
                                  {0x01, 0, 0x03}}),
                           "kinds.dst"));
    EXPECT_EQ(kinds.info.details.streamEnd, StreamEnd::EndCode);
    ASSERT_EQ(kinds.design.recordCount, 6);  // the stop's move is a jump before the change
    const StitchKind expected[] = {StitchKind::Stitch,       StitchKind::Jump,
                                   StitchKind::Jump,         StitchKind::Jump,
                                   StitchKind::ColourChange, StitchKind::Stitch};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(kinds.design.records[i].kind, expected[i]) << i;
    EXPECT_EQ(kinds.design.records[5].x, 5);
}

TEST(DesignFormats, PecShortAndLongFormsWithTheirFlags) {
    Bytes list;
    formats::AppendPecValue(list, 63, false);   // 0x3F
    formats::AppendPecValue(list, -64, false);  // 0x40
    formats::AppendPecValue(list, 2047, true);
    formats::AppendPecValue(list, -2048, true);
    formats::AppendPecValue(list, -1, true, 0x10);  // a jump
    formats::AppendPecValue(list, 5, true, 0x10);
    formats::AppendPecValue(list, 7, true, 0x20);  // a trim, on x only
    formats::AppendPecValue(list, 0, false);
    formats::AppendPecValue(list, 1, false);
    formats::AppendPecValue(list, -1, false);  // 0x7F
    EXPECT_EQ(Bytes(list.begin(), list.begin() + 6), (Bytes{0x3F, 0x40, 0x87, 0xFF, 0x88, 0x00}));
    Loaded loaded;
    ASSERT_TRUE(loaded.Load(formats::PesWithStitchList(list, {1}), "forms.pes"));
    const std::vector<Drop> expected = {
        {0, 0, false, 0}, {63, -64, true, 0}, {2110, -2112, true, 0}, {2117, -2108, false, 0}};
    EXPECT_EQ(loaded.Drops(), expected);
    EXPECT_EQ(loaded.info.details.streamEnd, StreamEnd::EndCode);
    ASSERT_EQ(loaded.design.recordCount, 6);
    EXPECT_EQ(loaded.design.records[3].kind, StitchKind::Jump);
    EXPECT_EQ(loaded.design.records[4].kind, StitchKind::Jump);
}

// Where a VP3 block's first bytes of its block section are: its start point follows the tag
// and the length.
std::size_t FirstVp3Block(const Bytes& vp3) {
    const Bytes tag = {0x00, 0x05, 0x00};
    return static_cast<std::size_t>(std::search(vp3.begin(), vp3.end(), tag.begin(), tag.end()) -
                                    vp3.begin());
}

void PutBigEndian(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * (3 - i)));
}

// The sixteen-bit travel lands a needle drop; the block's start point is a travel only, so a
// start far from the stitches adds nothing to the design's size.
TEST(DesignFormats, Vp3TravelsLandOnNeedleDropsButABlockStartDoesNot) {
    const Bytes stitches = {0x05, 0xFB, 0x80, 0x01, 0x7F, 0xFF, 0x80, 0x00,
                            0x80, 0x02, 0x01, 0x02, 0x80, 0x03, 0x03, 0x00};
    Loaded loaded;
    ASSERT_TRUE(loaded.Load(formats::Vp3WithStitchBytes(stitches), "travel.vp3"));
    const std::vector<Drop> expected = {{0, 0, false, 0},
                                        {32767, -32768, false, 0},
                                        {32768, -32766, true, 0},
                                        {32771, -32766, false, 0}};
    EXPECT_EQ(loaded.Drops(), expected);

    // A travel of 1000 units, then a 500 x 500 diagonal; the start lies 1000 units away.
    const Bytes square = {0x80, 0x01, 0x03, 0xE8, 0x00, 0x00, 0x80, 0x02,
                          125,  125,  125,  125,  125,  125,  125,  125};
    Loaded far;
    ASSERT_TRUE(far.Load(formats::Vp3WithStitchBytes(square), "far.vp3"));
    const DesignExtents& extents = far.design.extents;
    EXPECT_EQ(extents.maxX - extents.minX + 1, 501);
    EXPECT_EQ(extents.maxY - extents.minY + 1, 501);
}

// The content's signature decides; a name counts only where no signature is found, and a name
// of a format with a signature the content lacks is refused.
TEST(DesignFormats, RecognisedBySignatureThenExtension) {
    const DesignPlan plan = SamplePlan();
    const Bytes dst = formats::WriteDst(plan);
    const Bytes own = formats::WritePxs(plan);
    const Bytes hus = formats::WriteHus(plan);
    Bytes husUnsigned = hus;
    husUnsigned[0] = 0;  // bytes 2-3 alone are no signature
    const struct {
        Bytes bytes;
        std::string_view name;
        const FormatRow* format;
    } cases[] = {
        {formats::WritePes(plan), "design", &PesFormat},
        {formats::WriteBarePec(plan), "design.bin", &PesFormat},
        {formats::WriteVp3(plan), "design.PES", &Vp3Format},
        {dst, "design.txt", &DstFormat},
        {hus, "design", &HusFormat},
        {hus, "design.vip", &HusFormat},
        {formats::WriteVip(plan), "design.HUS", &VipFormat},
        {formats::WritePcs(plan), "design.bin", &PcsFormat},
        {Bytes(dst.begin(), dst.begin() + 511), "short", &PxsFormat},
        {husUnsigned, "design", &PxsFormat},
        {own, "plan.EXP", &ExpFormat},
        {own, "design.PCS", &PcsFormat},
        {own, "design.Xxx", &XxxFormat},
        {own, "plan", &PxsFormat},
        {own, "folder.v2/plan", &PxsFormat},
        {own, "folder/.plan", &PxsFormat},
        // A file named as the saver's own format is read as it always was.
        {dst, "labelled.pxs", &PxsFormat},
        {own, "plan.pes", nullptr},
        {own, "plan.vp3", nullptr},
        {own, "plan.Dst", nullptr},
        {own, "design.vip", nullptr},
        {husUnsigned, "design.hus", nullptr},
        {formats::WriteExp(plan), "renamed.dst", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecogniseDesignFormat(c.name, c.bytes.data(), c.bytes.size()), c.format)
            << c.name;
    }
    // A name we do not read, without a signature we read: not a design at all.
    for (std::string_view name : {"plan.shv", "plan.csd", "plan.art", "plan.emb", "plan.txt"}) {
        EXPECT_EQ(RecogniseDesignFormat(name, own.data(), own.size()), nullptr) << name;
    }

    Loaded refused;
    refused.design.colours[0] = 0x12345;
    EXPECT_FALSE(refused.Load(own, "plan.pes"));
    EXPECT_EQ(refused.design.recordCount, 0);
    EXPECT_EQ(refused.design.records[0].kind, StitchKind::End);
    EXPECT_EQ(refused.design.colours[0], 0x12345u);

    for (std::string_view name :
         {"a.pxs", "a.DST", "a.exp", "a.Pes", "a.vp3", "a.hus", "a.VIP", "a.xXx", "a.Pcs"}) {
        EXPECT_TRUE(IsDesignFileName(name)) << name;
    }
    EXPECT_FALSE(IsDesignFileName("dir/.pes"));
    EXPECT_FALSE(IsDesignFileName("a.pec"));
}

// Every length a file can be cut to loads as far as it goes or is refused, and leaves records
// the drawing can walk. A HUS or VIP cut short loses records from its streams and is refused
// (its last bytes may hold only the end symbol and padding).
TEST(DesignFormats, DamagedFilesEndCleanly) {
    const DesignPlan plan = SamplePlan();
    const struct {
        std::string name;
        Bytes whole;
        bool compressed;
    } files[] = {
        {"cut.dst", formats::WriteDst(plan), false}, {"cut.exp", formats::WriteExp(plan), false},
        {"cut.pes", formats::WritePes(plan), false}, {"cut.vp3", formats::WriteVp3(plan), false},
        {"cut.hus", formats::WriteHus(plan), true},  {"cut.vip", formats::WriteVip(plan), true},
        {"cut.xxx", formats::WriteXxx(plan), false}, {"cut.pcs", formats::WritePcs(plan), false},
    };
    Loaded cut;
    for (const auto& [name, whole, compressed] : files) {
        for (std::size_t size = 0; size <= whole.size(); ++size) {
            const bool loaded = cut.Load(Bytes(whole.begin(), whole.begin() + size), name);
            if (compressed && size + 2 < whole.size()) {
                EXPECT_FALSE(loaded) << name << size;
            }
            if (!loaded) {
                EXPECT_EQ(cut.design.recordCount, 0) << name << size;
            }
            ASSERT_LT(cut.design.recordCount, MaxStitchRecords);
            EXPECT_EQ(cut.design.records[cut.design.recordCount].kind, StitchKind::End);
        }
    }

    Bytes noEnd = formats::WriteDst(plan);
    noEnd.resize(noEnd.size() - 4);  // the end record and the byte after it
    Loaded dst;
    ASSERT_TRUE(dst.Load(noEnd, "no-end.dst"));
    EXPECT_EQ(dst.info.details.streamEnd, StreamEnd::EndOfFile);
    EXPECT_EQ(dst.Drops().size(), 15u);

    // A PEC section is where its offset points only if it starts with its label there.
    const Bytes pes = formats::WritePes(plan);
    Loaded pec;
    const std::uint32_t section = std::uint32_t{pes[8]} | std::uint32_t{pes[9]} << 8 |
                                  std::uint32_t{pes[10]} << 16 | std::uint32_t{pes[11]} << 24;
    // Beyond the file, back into the PES header, one byte off either way.
    for (std::uint32_t offset : {0x7F000000u, 12u, section + 1, section - 1}) {
        Bytes moved = pes;
        for (int i = 0; i < 4; ++i) moved[8 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
        EXPECT_FALSE(pec.Load(moved, "offset.pes")) << offset;
    }

    // A VP3 that ends before its first block is whole, or whose first block lists 255
    // colours, has no design in it.
    const Bytes vp3 = formats::WriteVp3(plan);
    const std::size_t block = FirstVp3Block(vp3);
    const Bytes stitchPrefix = {0x0A, 0xF6, 0x00};
    const std::size_t firstStitch = static_cast<std::size_t>(
        std::search(vp3.begin(), vp3.end(), stitchPrefix.begin(), stitchPrefix.end()) -
        vp3.begin() + stitchPrefix.size());
    ASSERT_LT(firstStitch, vp3.size());
    Loaded vp3Cut;
    for (std::size_t size = block; size < firstStitch; ++size) {
        EXPECT_FALSE(vp3Cut.Load(Bytes(vp3.begin(), vp3.begin() + size), "cut.vp3")) << size;
    }
    Bytes manyColours = vp3;
    manyColours[block + 7 + 8] = 255;  // after the tag, the length and the start point
    EXPECT_FALSE(vp3Cut.Load(manyColours, "colours.vp3"));

    // Lengths that disagree with the content are refused, not followed to a shorter design.
    Bytes shortBlock = vp3;
    const std::uint32_t blockLength = std::uint32_t{vp3[block + 3]} << 24 |
                                      std::uint32_t{vp3[block + 4]} << 16 |
                                      std::uint32_t{vp3[block + 5]} << 8 | vp3[block + 6];
    PutBigEndian(shortBlock, block + 3, blockLength - 10);
    EXPECT_FALSE(vp3Cut.Load(shortBlock, "short-block.vp3"));
    Bytes longStitches = vp3;
    PutBigEndian(longStitches, firstStitch - stitchPrefix.size() - 4, 0x7F7F7F7F);
    EXPECT_FALSE(vp3Cut.Load(longStitches, "long-stitches.vp3"));
}

TEST(DesignFormats, CountsForTheLimitsComeFromTheContent) {
    DesignPlan plan;
    for (int block = 0; block < 73; ++block) {
        formats::PlanBlock colour;
        colour.runs.push_back({{block, 0}, {block, 1}});
        plan.blocks.push_back(colour);
    }
    const DesignFileCounts colourCounts = Count(formats::WriteExp(plan), "many.exp");
    EXPECT_EQ(colourCounts.outcome, DesignFileCounts::Outcome::Read);
    EXPECT_EQ(colourCounts.colourCount, 73);

    // 64,000 stitches and the End take one slot more than the records have.
    Bytes manyStitches = DstOf({});
    for (int i = 0; i < MaxStitchRecords; ++i) {
        manyStitches.insert(manyStitches.end(), {static_cast<std::uint8_t>(i % 2 ? 1 : 2), 0, 3});
    }
    EXPECT_EQ(Count(manyStitches, "many.dst").stitchCount, MaxStitchRecords + 1);
    manyStitches.resize(manyStitches.size() - 3);
    EXPECT_EQ(Count(manyStitches, "many.dst").stitchCount, MaxStitchRecords);

    // A load of the longer design stops at the records' end.
    manyStitches.insert(manyStitches.end(), {1, 0, 3});
    Loaded loaded;
    ASSERT_TRUE(loaded.Load(manyStitches, "many.dst"));
    EXPECT_EQ(loaded.design.recordCount, MaxStitchRecords - 1);
    EXPECT_EQ(loaded.info.details.streamEnd, StreamEnd::RecordLimit);

    // A HUS with every record a needle drop is as too long as in any format; repeats that
    // would fit beyond the records decoded are refused, not cut short.
    constexpr std::size_t Records = 70000;
    Bytes attributes(Records, 0x80);
    Bytes xs(Records);
    const Bytes ys(Records, 0);
    for (std::size_t i = 0; i < Records; ++i) xs[i] = i % 2 ? 0x01 : 0xFF;
    attributes.back() = 0x90;
    const DesignFileCounts husCounts =
        Count(formats::HusWithRecords(attributes, xs, ys, {1}), "a.hus");
    EXPECT_EQ(husCounts.outcome, DesignFileCounts::Outcome::Read);
    EXPECT_EQ(husCounts.stitchCount, MaxStitchRecords + 1);
    const Bytes repeats = formats::HusWithRecords(attributes, Bytes(Records, 0), ys, {1});
    EXPECT_EQ(Count(repeats, "a.hus").outcome, DesignFileCounts::Outcome::Unreadable);
    EXPECT_FALSE(loaded.Load(repeats, "a.hus"));
}

TEST(DesignFormats, HusJumpLandingsAreNoNeedleDropsAndColoursComeFromItsPalette) {
    // A trim, two jumps, two stitches, a change, an attribute not known, a stitch, the end.
    const Bytes attributes = {0x88, 0x81, 0x81, 0x80, 0x80, 0x84, 0x99, 0x80, 0x90};
    const Bytes xs = {0, 5, 5, 1, 0, 0, 3, 1, 0};
    const Bytes ys = {0, 5, 5, 0, 2, 0, 3, 1, 0};  // y up
    Loaded hus;
    ASSERT_TRUE(hus.Load(formats::HusWithRecords(attributes, xs, ys, {3, 40}), "a.hus"));
    const std::vector<Drop> expected = {{0, 0, false, 0}, {0, -2, true, 0}, {4, -6, false, 1}};
    EXPECT_EQ(hus.Drops(), expected);
    EXPECT_EQ(hus.design.records[0].kind, StitchKind::Jump);
    EXPECT_EQ(hus.info.details.streamEnd, StreamEnd::EndCode);
    ASSERT_EQ(hus.design.colourCount, 2);
    EXPECT_EQ(hus.design.colours[0], RgbColour(255, 0, 0));  // index 3
    EXPECT_EQ(hus.design.colours[1], RgbColour(0, 0, 0));    // beyond the palette: entry 0
}

TEST(DesignFormats, VipColoursAreUnscrambledByTheChainOfStoredBytes) {
    formats::DesignPlan plan;
    formats::PlanBlock first{1, 1, 10, 20, 30, {{{0, 0}, {5, 5}}}};
    formats::PlanBlock second{1, 1, 200, 100, 50, {{{9, 9}, {5, 5}}}};
    plan.blocks = {first, second};
    const Bytes vip = formats::WriteVip(plan);
    // Each stored byte is plain XOR key XOR the stored byte before it; the key's first bytes.
    const std::uint8_t key[8] = {0x2e, 0x82, 0xe4, 0x6f, 0x38, 0xa9, 0xdc, 0xc6};
    const std::uint8_t plain[8] = {10, 20, 30, 0, 200, 100, 50, 0};
    std::uint8_t previous = 0;
    for (int i = 0; i < 8; ++i) {
        previous = plain[i] ^ key[i] ^ previous;
        EXPECT_EQ(vip[0x2E + i], previous) << i;
    }
    Loaded loaded;
    ASSERT_TRUE(loaded.Load(vip, "a.vip"));
    EXPECT_EQ(loaded.design.colours[0], RgbColour(10, 20, 30));
    EXPECT_EQ(loaded.design.colours[1], RgbColour(200, 100, 50));
}

// The end mark's offset at 0xFC, then the end mark and the colours (0, R, G, B).
Bytes XxxOf(const Bytes& records, const Bytes& colours, std::uint16_t colourCount) {
    Bytes bytes(0x100, 0);
    PutLe(bytes, 0x27, colourCount, 2);
    PutLe(bytes, 0xFC, static_cast<std::uint32_t>(0x100 + records.size()), 4);
    bytes.insert(bytes.end(), records.begin(), records.end());
    bytes.insert(bytes.end(), {0x7F, 0x7F, 0x03, 0x14, 0, 0});
    bytes.insert(bytes.end(), colours.begin(), colours.end());
    return bytes;
}

TEST(DesignFormats, XxxJumpLandingIsANeedleDropWhenAStitchFollows) {
    const Bytes records = {
        0x7F, 0x01, 0x05, 0x05,        // jump
        0x01, 0x00,                    // stitch: the landing first
        0x7F, 0x03, 0x0A, 0x00,        // trim with a move: a jump
        0x7F, 0x08, 0x00, 0x00,        // change
        0x02, 0x00,                    // the landing survives the change
        0x7D, 0x2C, 0x01, 0x38, 0xFF,  // long jump (300, -200)
        0x00, 0x00,                    // stitch on the landing: one drop
        0x7F, 0x01, 0x03, 0x00,        // jump, and nothing after it
        0x7F, 0x18, 0x00, 0x00,        // the stitching ends
        0x05, 0x05,                    // past its end: not read
    };
    const Bytes colours = {0, 1, 2, 3, 0, 4, 5, 6};
    Loaded xxx;
    ASSERT_TRUE(xxx.Load(XxxOf(records, colours, 2), "a.XXX"));
    const std::vector<Drop> expected = {{0, 0, false, 0},
                                        {1, 0, true, 0},
                                        {11, 0, false, 1},
                                        {13, 0, true, 1},
                                        {313, 200, false, 1}};
    EXPECT_EQ(xxx.Drops(), expected);
    EXPECT_EQ(xxx.design.colours[0], RgbColour(1, 2, 3));
    EXPECT_EQ(xxx.design.colours[1], RgbColour(4, 5, 6));

    // Cut before its colours: the stitches stay, each block with a colour of the saver's.
    const Bytes whole = XxxOf(records, colours, 2);
    Loaded cut;
    ASSERT_TRUE(cut.Load(Bytes(whole.begin(), whole.end() - 8), "cut.xxx"));
    EXPECT_EQ(cut.Drops(), expected);
    EXPECT_EQ(cut.design.colours[1], DefaultBlockColour(1));
}

// One 9-byte record: x and y with 8 fraction bits in 1/6 mm, then the flags.
void PcsRecord(Bytes& bytes, std::int32_t x, std::int32_t y, std::uint8_t flags) {
    PutLe(bytes, bytes.size(), static_cast<std::uint32_t>(x), 4);
    PutLe(bytes, bytes.size(), static_cast<std::uint32_t>(y), 4);
    bytes.push_back(flags);
}

TEST(DesignFormats, PcsPositionsRoundToTheNearestUnitAndSlotsWrap) {
    Bytes pcs = {0x32, 0x03, 16, 0};
    for (std::uint8_t slot = 0; slot < 16; ++slot) pcs.insert(pcs.end(), {slot, 2, 3, 0});
    PutLe(pcs, pcs.size(), 3, 2);  // moves: colour records are not counted
    PcsRecord(pcs, 1, 0, 0x03);    // slot 1: the first thread, not a change
    PcsRecord(pcs, 0, 0, 0x04);
    // 2150 / 256 * 6 = 13.99 units: nearest 14; truncated 13.
    PcsRecord(pcs, 2150, 0, 0x00);
    PcsRecord(pcs, 17, 0, 0x03);  // slot 17 wraps to 1
    PcsRecord(pcs, 0, -2150, 0x00);
    PcsRecord(pcs, 0, 0, 0x00);  // beyond the count: a zero padding, no stitch
    Loaded loaded;
    ASSERT_TRUE(loaded.Load(pcs, "a.PCS"));
    const std::vector<Drop> expected = {{0, 0, false, 0}, {14, 0, true, 0}, {0, 14, false, 1}};
    EXPECT_EQ(loaded.Drops(), expected);
    ASSERT_EQ(loaded.design.colourCount, 2);
    EXPECT_EQ(loaded.design.colours[0], RgbColour(1, 2, 3));
    EXPECT_EQ(loaded.design.colours[1], RgbColour(1, 2, 3));
}

}  // namespace
}  // namespace vireluna
