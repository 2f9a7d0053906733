#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/designgen/Designs.h"
#include "tools/designgen/StitchPlan.h"

namespace vireluna::designgen {

// Names the design in test output instead of dumping the struct's bytes.
void PrintTo(const NamedDesign& design, std::ostream* out) {
    *out << design.fileName;
}

namespace {

struct Decoded {
    std::int32_t colourCount = 0;
    std::int32_t declaredStitches = 0;
    std::vector<std::int32_t> colours;
    struct Record {
        int x;
        int y;
        std::uint8_t kind;
    };
    std::vector<Record> records;
};

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | bytes[at + i];
    return static_cast<std::int32_t>(value);
}

int Signed(std::uint8_t byte) {
    return byte >= 128 ? byte - 256 : byte;
}

// Decodes a file the way the format describes it, keeping y upward.
Decoded Decode(const std::vector<std::uint8_t>& bytes) {
    Decoded file;
    file.colourCount = Int32At(bytes, 24);
    file.declaredStitches = Int32At(bytes, 28);
    for (int i = 0; i < file.colourCount; ++i) file.colours.push_back(Int32At(bytes, 116 + 4 * i));
    int x = 0;
    int y = 0;
    for (std::size_t at = Int32At(bytes, 0); at + 1 < bytes.size(); at += 2) {
        std::uint8_t kind = 0;
        if (bytes[at] == 0x80) {
            if (bytes[at + 1] == 0x10) break;
            kind = bytes[at + 1];
            at += 2;
        }
        x += Signed(bytes[at]);
        y += Signed(bytes[at + 1]);
        file.records.push_back({x, y, kind});
    }
    return file;
}

TEST(StitchPlan, LongStitchesAreSplitIntoLegalPairs) {
    StitchPlan plan;
    plan.UseThread(5);
    // -128 on x cannot be one pair: its first byte would read as a control code.
    plan.AddRun({{0, 0}, {-128, 0}, {-128, 300}, {172, -300}});
    const std::vector<std::uint8_t> bytes = WritePlan(plan).Build();
    const Decoded file = Decode(bytes);
    for (std::size_t at = Int32At(bytes, 0); at + 1 < bytes.size(); at += 2) {
        if (bytes[at] == 0x80) {
            ASSERT_EQ(bytes[at + 1], 0x10) << "no control code was written, only the end";
            break;
        }
    }
    ASSERT_FALSE(file.records.empty());
    EXPECT_EQ(file.records.back().x, 172);
    EXPECT_EQ(file.records.back().y, -300);
    EXPECT_EQ(file.declaredStitches, static_cast<std::int32_t>(file.records.size()));
}

TEST(StitchPlan, ColourBlocksAndJumpsAreWrittenInOrder) {
    StitchPlan plan;
    plan.UseThread(30);
    plan.AddRun({{10, 10}, {30, 10}});
    plan.AddRun({{30, 10}, {30, 30}});  // goes on from where the last run ended
    plan.UseThread(7);                  // replaced before any run: no empty block
    plan.UseThread(13);
    plan.AddRun({{100, 10}, {120, 10}});
    const Decoded file = Decode(WritePlan(plan).Build());

    EXPECT_EQ(file.colours, (std::vector<std::int32_t>{30, 13}));
    ASSERT_FALSE(file.records.empty());
    // The first point becomes the origin: the stream opens with a stitch, not a jump.
    EXPECT_EQ(file.records[0].kind, 0);
    EXPECT_EQ(file.records[0].x, 0);
    EXPECT_EQ(file.records[0].y, 0);

    std::vector<std::uint8_t> kinds;
    for (const auto& record : file.records) kinds.push_back(record.kind);
    // stitch, stitch, stitch, colour change, jump, stitch in place, stitch.
    EXPECT_EQ(kinds, (std::vector<std::uint8_t>{0, 0, 0, 1, 2, 0, 0}));
    EXPECT_EQ(file.records[3].x, 20);  // the colour change sits at the last needle point
    EXPECT_EQ(file.records[3].y, 20);
    EXPECT_EQ(file.records[4].x, 90);
    EXPECT_EQ(file.records[5].x, 90);
    EXPECT_EQ(file.records[6].x, 110);
    EXPECT_EQ(file.records[6].y, 0);
}

class SampleDesign : public testing::TestWithParam<NamedDesign> {};

TEST_P(SampleDesign, FitsTheFormatAndLooksSewn) {
    const StitchPlan plan = GetParam().make();
    const pxs::PxsWriter writer = WritePlan(plan);
    const Decoded file = Decode(writer.Build());

    ASSERT_FALSE(file.records.empty());
    EXPECT_EQ(file.records[0].kind, 0) << "opens with a stitch";
    EXPECT_LE(file.colourCount, 72);
    EXPECT_LE(StreamPairCount(writer), 64000);
    int changes = 0;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (std::size_t i = 0; i < file.records.size(); ++i) {
        const auto& record = file.records[i];
        EXPECT_TRUE(record.kind <= 2) << i;
        changes += record.kind == 1;
        if (record.kind != 0) continue;
        minX = std::min(minX, record.x);
        maxX = std::max(maxX, record.x);
        minY = std::min(minY, record.y);
        maxY = std::max(maxY, record.y);
    }
    EXPECT_EQ(changes + 1, file.colourCount);
    EXPECT_GE(std::max(maxX - minX, maxY - minY), 300);
    EXPECT_LE(std::max(maxX - minX, maxY - minY), 1200);
}

INSTANTIATE_TEST_SUITE_P(All, SampleDesign,
                         testing::ValuesIn(AllDesigns().begin(), AllDesigns().end()),
                         [](const auto& info) {
                             std::string name = info.param.fileName;
                             return name.substr(0, name.find('.'));
                         });

TEST(SampleDesigns, TheLargeOneIsNearTheRecordLimit) {
    const pxs::PxsWriter writer = WritePlan(MakeMandala());
    EXPECT_GE(writer.RecordCount(), 60000);
    EXPECT_LE(writer.RecordCount(), 63000);
    EXPECT_GE(ThreadList(MakeMandala()).size(), 10u);
}

}  // namespace
}  // namespace vireluna::designgen
