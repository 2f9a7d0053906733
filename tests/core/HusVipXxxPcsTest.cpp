// The facts of HUS, VIP, XXX and PCS that one design written in every format does not reach:
// where a run of jumps lands, the colours each keeps, PCS positions, and files too long.
#include <gtest/gtest.h>

#include <vector>

#include "core/design/DesignFileLoader.h"
#include "core/design/DesignFileNames.h"
#include "tests/core/LoadedDesign.h"
#include "tools/formats/DesignPlan.h"

namespace vireluna {
namespace {

using formats::Bytes;

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int count) {
    if (bytes.size() < at + count) bytes.resize(at + count);
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

DesignFileCounts Count(const Bytes& bytes, const char* name) {
    MemoryInputFile file(bytes.data(), bytes.size());
    file.Open(name);
    return CountDesignFile(file, name);
}

TEST(HusVipXxxPcs, HusJumpLandingsAreNoNeedleDropsAndColoursComeFromItsPalette) {
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

TEST(HusVipXxxPcs, VipColoursAreUnscrambledByTheChainOfStoredBytes) {
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

formats::DesignPlan TwoBlockPlan() {
    formats::DesignPlan plan;
    formats::PlanBlock block{1, 1, 10, 20, 30, {{{0, 0}, {40, 0}, {40, 40}}, {{500, -300}}}, 5};
    plan.blocks = {block, block};
    return plan;
}

TEST(HusVipXxxPcs, RecognisedBySignatureOrName) {
    const formats::DesignPlan plan = TwoBlockPlan();
    const Bytes hus = formats::WriteHus(plan);
    const Bytes vip = formats::WriteVip(plan);
    const Bytes pcs = formats::WritePcs(plan);
    const Bytes own = formats::WritePxs(plan);
    const auto format = [](const Bytes& bytes, std::string_view name) {
        return RecogniseDesignFormat(name, bytes.data(), bytes.size());
    };
    EXPECT_EQ(format(hus, "design"), &HusFormat);
    EXPECT_EQ(format(hus, "design.vip"), &HusFormat);
    EXPECT_EQ(format(vip, "design.HUS"), &VipFormat);
    EXPECT_EQ(format(pcs, "design.bin"), &PcsFormat);
    EXPECT_EQ(format(own, "design.PCS"), &PcsFormat);
    EXPECT_EQ(format(own, "design.Xxx"), &XxxFormat);
    // Bytes 2-3 alone are no signature.
    Bytes other = hus;
    other[0] = 0;
    EXPECT_EQ(format(other, "design"), &PxsFormat);
    EXPECT_EQ(format(other, "design.hus"), nullptr);
    EXPECT_EQ(format(own, "design.vip"), nullptr);
    for (std::string_view name : {"a.hus", "a.VIP", "a.xXx", "a.Pcs"}) {
        EXPECT_TRUE(IsDesignFileName(name)) << name;
    }
}

// A HUS or VIP cut short loses records from its streams and is refused; XXX and PCS keep
// what they have. Every cut leaves records the drawing can walk.
TEST(HusVipXxxPcs, CutFilesAreRefusedOrEndCleanly) {
    const formats::DesignPlan plan = TwoBlockPlan();
    const std::pair<const char*, Bytes> files[] = {{"cut.hus", formats::WriteHus(plan)},
                                                   {"cut.vip", formats::WriteVip(plan)},
                                                   {"cut.xxx", formats::WriteXxx(plan)},
                                                   {"cut.pcs", formats::WritePcs(plan)}};
    Loaded cut;
    for (const auto& [name, whole] : files) {
        const bool compressed = name[5] == 'h' || name[5] == 'v';
        for (std::size_t size = 0; size <= whole.size(); ++size) {
            const bool loaded = cut.Load(Bytes(whole.begin(), whole.begin() + size), name);
            // The last bytes may hold only the end symbol and padding.
            if (compressed && size + 2 < whole.size()) {
                EXPECT_FALSE(loaded) << name << size;
            }
            ASSERT_LT(cut.design.recordCount, MaxStitchRecords);
            EXPECT_EQ(cut.design.records[cut.design.recordCount].kind, StitchKind::End);
        }
        EXPECT_EQ(cut.Drops().size(), 8u) << name;
    }
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

TEST(HusVipXxxPcs, XxxJumpLandingIsANeedleDropWhenAStitchFollows) {
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

TEST(HusVipXxxPcs, PcsPositionsRoundToTheNearestUnitAndSlotsWrap) {
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

TEST(HusVipXxxPcs, HusLongerThanTheLimitIsTooLongOrRefused) {
    constexpr std::size_t Records = 70000;
    Bytes attributes(Records, 0x80);
    Bytes xs(Records);
    const Bytes ys(Records, 0);
    for (std::size_t i = 0; i < Records; ++i) xs[i] = i % 2 ? 0x01 : 0xFF;
    attributes.back() = 0x90;
    // Every record a needle drop: as too long as in any format.
    const DesignFileCounts counts =
        Count(formats::HusWithRecords(attributes, xs, ys, {1}), "a.hus");
    EXPECT_EQ(counts.outcome, DesignFileCounts::Outcome::Read);
    EXPECT_EQ(counts.stitchCount, MaxStitchRecords + 1);
    // Repeats that would fit beyond the records decoded: refused, not cut short.
    const Bytes still(Records, 0);
    const Bytes repeats = formats::HusWithRecords(attributes, still, ys, {1});
    EXPECT_EQ(Count(repeats, "a.hus").outcome, DesignFileCounts::Outcome::Unreadable);
    Loaded loaded;
    EXPECT_FALSE(loaded.Load(repeats, "a.hus"));
}

}  // namespace
}  // namespace vireluna
