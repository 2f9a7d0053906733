#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/design/formats/PxsReader.h"
#include "tests/core/SystemFiles.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna {
namespace {

using Bytes = std::vector<std::uint8_t>;
using pxs::PxsWriter;

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr ColourValue Black = 0x02000000;
constexpr ColourValue White = 0x02FFFFFF;
constexpr ColourValue Red = 0x020000FF;

// A file name of this run's own, so that test programs running side by side keep apart.
std::string TempPath(const std::string& name) {
    static const std::string run =
        std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    return (std::filesystem::temp_directory_path() / ("vireluna_reader_" + run + "_" + name))
        .string();
}

bool WriteBytes(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

Design FreshDesign() {
    Design design;
    design.records = AllocateStitchArray();
    return design;
}

Design CopyOf(const Design& design) {
    Design copy = FreshDesign();
    copy.colours = design.colours;
    copy.colourCount = design.colourCount;
    copy.recordCount = design.recordCount;
    copy.extents = design.extents;
    std::copy_n(design.records.get(), MaxStitchRecords, copy.records.get());
    return copy;
}

::testing::AssertionResult SameDesign(const Design& a, const Design& b) {
    if (a.recordCount != b.recordCount) {
        return ::testing::AssertionFailure()
               << "recordCount " << a.recordCount << " vs " << b.recordCount;
    }
    if (a.colourCount != b.colourCount || a.colours != b.colours) {
        return ::testing::AssertionFailure() << "colours differ";
    }
    if (a.extents.minX != b.extents.minX || a.extents.maxY != b.extents.maxY ||
        a.extents.maxX != b.extents.maxX || a.extents.minY != b.extents.minY) {
        return ::testing::AssertionFailure() << "extents differ";
    }
    for (std::int32_t i = 0; i <= a.recordCount; ++i) {
        const StitchRecord& ra = a.records[i];
        const StitchRecord& rb = b.records[i];
        if (ra.x != rb.x || ra.y != rb.y || ra.kind != rb.kind) {
            return ::testing::AssertionFailure() << "record " << i << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

class DesignReaderTest : public ::testing::Test {
  protected:
    // Loads bytes from a file and from memory; both ways must give the same design.
    bool Load(const Bytes& bytes, std::int32_t reduction = 100) {
        const std::string path = TempPath(
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + std::string(".pxs"));
        EXPECT_TRUE(WriteBytes(path, bytes));
        Design fromMemory = CopyOf(design);
        DesignFileDetails memoryDetails;
        const bool memoryLoaded =
            LoadDesignFromBytes(bytes.data(), bytes.size(), reduction, fromMemory, &memoryDetails);
        const bool loaded = LoadDesign(file, path.c_str(), reduction, design, &details);
        std::filesystem::remove(path);
        EXPECT_EQ(loaded, memoryLoaded);
        EXPECT_TRUE(SameDesign(design, fromMemory));
        EXPECT_EQ(details.streamEnd, memoryDetails.streamEnd);
        EXPECT_EQ(details.header.colourCount, memoryDetails.header.colourCount);
        return loaded;
    }

    bool Load(const PxsWriter& writer, std::int32_t reduction = 100) {
        return Load(writer.Build(), reduction);
    }

    const StitchRecord& Record(std::int32_t i) const { return design.records[i]; }

    void ExpectRecord(std::int32_t i, std::int32_t x, std::int32_t y, StitchKind kind) {
        EXPECT_EQ(Record(i).x, x) << "record " << i;
        EXPECT_EQ(Record(i).y, y) << "record " << i;
        EXPECT_EQ(Record(i).kind, kind) << "record " << i;
    }

    void ExpectEndAt(std::int32_t i) {
        EXPECT_EQ(design.recordCount, i);
        ExpectRecord(i, 0, 0, StitchKind::End);
    }

    struct Expected {
        std::int32_t x;
        std::int32_t y;
        StitchKind kind = StitchKind::Stitch;
    };
    // Exactly these records, then the End.
    void ExpectRecords(std::initializer_list<Expected> records) {
        std::int32_t i = 0;
        for (const Expected& record : records) ExpectRecord(i++, record.x, record.y, record.kind);
        ExpectEndAt(i);
    }

    void ExpectExtents(std::int32_t minX, std::int32_t maxX, std::int32_t minY, std::int32_t maxY) {
        const DesignExtents& e = design.extents;
        EXPECT_EQ(std::tuple(e.minX, e.maxX, e.minY, e.maxY), std::tuple(minX, maxX, minY, maxY));
    }

    // What a design without stitches measures: nothing has narrowed the range yet.
    void ExpectStartingExtents() { ExpectExtents(Int32Max, Int32Min, Int32Max, Int32Min); }

    fakes::SystemFileSystem files;
    std::unique_ptr<InputFile> opened = files.NewInputFile();
    InputFile& file = *opened;
    Design design = FreshDesign();
    DesignFileDetails details;
};

TEST_F(DesignReaderTest, StreamOfOnlyTheEndCodeGivesNoRecordsAndStartingExtents) {
    PxsWriter writer;
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectEndAt(0);
    ExpectStartingExtents();
    EXPECT_EQ(details.streamEnd, StreamEnd::EndCode);
}

TEST_F(DesignReaderTest, StitchesAccumulateFromTheOriginAndFlipY) {
    PxsWriter writer;
    writer.Move(10, 20);
    writer.Move(-3, 5);
    writer.Move(0, -40);
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectRecords({{10, -20}, {7, -25}, {7, 15}});
    ExpectExtents(7, 10, -25, 15);
}

TEST_F(DesignReaderTest, DisplacementBytesAreSigned) {
    PxsWriter writer;
    writer.Pair(0x7F, 0x7F);  // +127, +127
    writer.Pair(0x81, 0x81);  // -127, -127
    writer.Pair(0xFF, 0xFF);  // -1, -1
    writer.Pair(0x00, 0x80);  // 0, -128
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectRecords({{127, -127}, {0, 0}, {-1, 1}, {-1, 129}});
}

TEST_F(DesignReaderTest, LeadingJumpsVanishWithTheirDisplacementsEvenOneThatLooksLikeACode) {
    PxsWriter writer;
    writer.Control(pxs::JumpCode, 50, 60);
    writer.Pair(0x80, pxs::JumpCode);
    writer.Pair(0x80, pxs::EndCode);  // the second jump's displacement, not the end code
    writer.Move(3, 4);
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectRecords({{3, -4}});
}

TEST_F(DesignReaderTest, JumpsAndColourChangesAfterTheFirstRecordAreKeptUnflipped) {
    PxsWriter writer;
    writer.Move(5, 5);
    writer.Control(pxs::JumpCode, 3, 4);
    writer.Control(pxs::ColourChangeCode, 0, 0);
    writer.Move(1, -1);
    writer.End();
    ASSERT_TRUE(Load(writer));
    // y stays as in the file for the jump and the change: only stitches flip.
    ExpectRecords({{5, -5}, {8, 9, StitchKind::Jump}, {8, 9, StitchKind::ColourChange}, {9, -8}});
    ExpectExtents(5, 9, -8, -5);  // only stitches are measured
}

TEST_F(DesignReaderTest, ControlDisplacementOfMinus128IsAllowed) {
    PxsWriter writer;
    writer.Move(1, 1);
    writer.Pair(0x80, 0x07);  // control code 7
    writer.Pair(0x80, 0x80);  // -128, -128
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectRecords({{1, -1}, {-127, -127, static_cast<StitchKind>(7)}});
}

TEST_F(DesignReaderTest, ReductionScalesAndTruncatesTowardZero) {
    PxsWriter writer;
    writer.Move(7, -7);
    writer.Move(-14, 14);                 // now at (-7, 7)
    writer.Control(pxs::JumpCode, 0, 3);  // (-7, 10): scaled, not flipped
    writer.End();
    ASSERT_TRUE(Load(writer, 80));
    ExpectRecords({{5, 5}, {-5, -5}, {-5, 8, StitchKind::Jump}});
    ExpectExtents(-5, 5, -5, 5);
}

TEST_F(DesignReaderTest, ReductionZeroPutsEveryRecordAtTheOrigin) {
    PxsWriter writer;
    writer.StitchTo(300, -200);
    writer.JumpTo(-50, 10);
    writer.End();
    ASSERT_TRUE(Load(writer, 0));
    ASSERT_GT(design.recordCount, 2);
    for (std::int32_t i = 0; i < design.recordCount; ++i) {
        EXPECT_EQ(Record(i).x, 0) << i;
        EXPECT_EQ(Record(i).y, 0) << i;
    }
}

TEST_F(DesignReaderTest, ExtremeReductionsSaturateInsteadOfOverflowing) {
    PxsWriter writer;
    writer.Move(127, -127);
    writer.Move(-127, 127);  // (0, 0)
    writer.Move(-127, 127);  // (-127, 127)
    writer.End();
    ASSERT_TRUE(Load(writer, Int32Max));
    ExpectRecord(0, Int32Max, Int32Max, StitchKind::Stitch);
    ExpectRecord(1, 0, 0, StitchKind::Stitch);
    ExpectRecord(2, Int32Min, Int32Min, StitchKind::Stitch);
    ASSERT_TRUE(Load(writer, Int32Min));
    ExpectRecord(0, Int32Min, Int32Min, StitchKind::Stitch);
    ExpectRecord(2, Int32Max, Int32Max, StitchKind::Stitch);
    ASSERT_TRUE(Load(writer, -100));
    ExpectRecord(0, -127, -127, StitchKind::Stitch);
}

TEST_F(DesignReaderTest, FarthestPointSaturatesOnlyWhereTheProductLeavesTheInt32Range) {
    PxsWriter writer;
    for (int i = 0; i < MaxStitchRecords - 1; ++i) writer.Pair(0x00, 0x80);  // y -128 each
    writer.End();
    // The last point is 63,999 x 128 = 8,191,872 below the origin, flipped to +8,191,872.
    ASSERT_TRUE(Load(writer, 26200));
    ExpectRecord(MaxStitchRecords - 2, 0, 2146270464, StitchKind::Stitch);  // x 262
    ASSERT_TRUE(Load(writer, 26300));
    ExpectRecord(MaxStitchRecords - 2, 0, Int32Max, StitchKind::Stitch);  // x 263 is beyond
    ExpectRecord(0, 0, 128 * 263, StitchKind::Stitch);
    EXPECT_EQ(design.extents.maxY, Int32Max);
}

TEST_F(DesignReaderTest, ControlCode255EndsWhatIsFlippedScaledAndMeasured) {
    PxsWriter writer;
    writer.Move(10, 10);
    writer.Control(0xFF, 10, 0);  // a record of kind End at (20, 10)
    writer.Move(100, 100);        // kept, but neither flipped, scaled nor measured
    writer.End();
    ASSERT_TRUE(Load(writer, 50));
    ExpectRecords({{5, -5}, {20, 10, StitchKind::End}, {120, 110}});
    ExpectExtents(5, 5, -5, -5);
}

TEST_F(DesignReaderTest, ColourListIsResolvedThroughThePalette) {
    PxsWriter writer({2, 10, 0, 79, -5, 1});
    writer.Move(1, 1);
    writer.End();
    ASSERT_TRUE(Load(writer));
    EXPECT_EQ(design.colourCount, 6);
    EXPECT_EQ(design.colours[0], White);
    EXPECT_EQ(design.colours[1], Red);
    for (int i = 2; i < 6; ++i) EXPECT_EQ(design.colours[i], Black) << i;
    EXPECT_EQ(details.header.colourCount, 6);
    EXPECT_EQ(details.threadNumbers[1], 10);
    EXPECT_EQ(details.threadNumbers[4], -5);
}

// An empty list keeps all of the last design's colours, a shorter one those past its end.
TEST_F(DesignReaderTest, EntriesPastTheColourListKeepTheLastDesignsColours) {
    for (const std::vector<std::int32_t>& list : {std::vector<std::int32_t>{}, {10}}) {
        SCOPED_TRACE(list.size());
        PxsWriter first({2, 10, 2});
        first.End();
        ASSERT_TRUE(Load(first));
        PxsWriter second(list);
        second.Move(1, 1);
        second.End();
        ASSERT_TRUE(Load(second));
        EXPECT_EQ(design.colourCount, static_cast<std::int32_t>(list.size()));
        EXPECT_EQ(design.colours[0], list.empty() ? White : Red);
        EXPECT_EQ(design.colours[1], Red);
        EXPECT_EQ(design.colours[2], White);
        ExpectRecords({{1, -1}});
    }
}

TEST_F(DesignReaderTest, GapBeforeTheStreamIsSkipped) {
    PxsWriter writer({2});
    writer.SetGapBeforeStream(37);  // filled with 0x80 bytes by the writer
    writer.Move(4, 4);
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectRecords({{4, -4}});
}

TEST_F(DesignReaderTest, StreamOffsetInsideTheColourListSkipsNothing) {
    for (std::int32_t offset : {0, 100, 116, 119, 120}) {
        PxsWriter writer({2});
        writer.SetStreamOffset(offset);
        writer.Move(4, 4);
        writer.End();
        ASSERT_TRUE(Load(writer)) << offset;
        ExpectRecords({{4, -4}});
    }
}

TEST_F(DesignReaderTest, NegativeColourCountReadsNoColourButCountsInTheGap) {
    // The gap is streamOffset - 116 - 4 x colourCount: with -1 and offset 116 it is 4 bytes.
    PxsWriter writer(std::vector<std::int32_t>{});
    writer.SetDeclaredColourCount(-1);
    writer.SetStreamOffset(ColourListOffset);
    writer.Pair(0xAA, 0xBB);  // the 4 skipped bytes
    writer.Pair(0xCC, 0xDD);
    writer.Move(2, 3);
    writer.End();
    design.colours[0] = White;
    ASSERT_TRUE(Load(writer));
    EXPECT_EQ(design.colourCount, 0);
    EXPECT_EQ(design.colours[0], White);
    ExpectRecords({{2, -3}});
}

TEST_F(DesignReaderTest, ColourListBeyondTheLimitSetsTheFirst72AndFindsTheStream) {
    std::vector<std::int32_t> threads(MaxDesignColours + 3, 10);
    threads[MaxDesignColours - 1] = 2;
    PxsWriter writer(threads);
    writer.Move(6, 6);
    writer.End();
    ASSERT_TRUE(Load(writer));
    EXPECT_EQ(design.colourCount, MaxDesignColours);
    EXPECT_EQ(design.colours[MaxDesignColours - 1], White);
    EXPECT_EQ(design.colours[0], Red);
    EXPECT_EQ(details.header.colourCount, MaxDesignColours + 3);
    EXPECT_TRUE(TooManyColours(details.header.colourCount));
    ExpectRecords({{6, -6}});
}

TEST_F(DesignReaderTest, ControlCodeFollowedByTheEndCodeIsDropped) {
    PxsWriter writer;
    writer.Move(1, 2);
    writer.Pair(0x80, pxs::ColourChangeCode);
    writer.End();  // read as the end code, not as the colour change's displacement
    ASSERT_TRUE(Load(writer));
    ExpectRecords({{1, -2}});
    EXPECT_EQ(details.streamEnd, StreamEnd::EndCode);
}

TEST_F(DesignReaderTest, StreamOffsetBeyondTheFileGivesAnEmptyDesign) {
    PxsWriter writer;
    writer.SetStreamOffset(Int32Max);
    writer.Move(1, 1);
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectEndAt(0);
    EXPECT_EQ(details.streamEnd, StreamEnd::EndOfFileBeforeStream);
}

TEST_F(DesignReaderTest, FullestStreamFitsWithItsEndCode) {
    PxsWriter writer;
    for (int i = 0; i < MaxStitchRecords - 1; ++i) writer.Move(i % 2 == 0 ? 1 : -1, 1);
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectEndAt(MaxStitchRecords - 1);
    ExpectRecord(MaxStitchRecords - 2, 1, -(MaxStitchRecords - 1), StitchKind::Stitch);
    EXPECT_EQ(details.streamEnd, StreamEnd::EndCode);
}

TEST_F(DesignReaderTest, LongerStreamIsCutAtTheRecordLimit) {
    PxsWriter writer;
    for (int i = 0; i < MaxStitchRecords + 500; ++i) writer.Move(1, 0);
    writer.End();
    ASSERT_TRUE(Load(writer));
    ExpectEndAt(MaxStitchRecords - 1);
    ExpectRecord(MaxStitchRecords - 2, MaxStitchRecords - 1, 0, StitchKind::Stitch);
    EXPECT_EQ(details.streamEnd, StreamEnd::RecordLimit);
    EXPECT_EQ(design.extents.maxX, MaxStitchRecords - 1);
}

TEST_F(DesignReaderTest, StreamOfControlPairsAtTheLimitNeverWritesPastTheArray) {
    PxsWriter writer;
    for (int i = 0; i < MaxStitchRecords; ++i) writer.Pair(0x80, 0x07);
    ASSERT_TRUE(Load(writer));
    // 63,999 raw pairs: each control takes the next pair as its displacement.
    ExpectEndAt((MaxStitchRecords - 1) / 2);
}

// A well-formed file with a bit of everything, and the file size at which each of its
// records is complete.
struct CutFixture {
    Bytes bytes;
    std::size_t streamStart = 0;
    std::vector<std::size_t> recordEnds;
};

CutFixture EverythingOnce() {
    PxsWriter writer({2, 10, 12});
    writer.SetGapBeforeStream(5);
    CutFixture fixture;
    fixture.streamStart = writer.Build().size();
    const auto recordDone = [&] { fixture.recordEnds.push_back(writer.Build().size()); };
    writer.Control(pxs::JumpCode, 30, 40);  // leading: leaves no record
    writer.Move(7, -7);
    recordDone();
    writer.ColourChange();
    recordDone();
    writer.Control(pxs::JumpCode, 20, 3);
    recordDone();
    writer.Move(-2, 9);
    recordDone();
    writer.Control(0x07, 1, 1);
    recordDone();
    writer.Move(5, 5);
    recordDone();
    writer.End();
    fixture.bytes = writer.Build();
    return fixture;
}

// The end of the file acts as the end code wherever it falls: every cut of a good file loads,
// keeps the whole colour entries and records before the cut, and nothing else.
TEST_F(DesignReaderTest, FileCutAtEveryLengthKeepsWhatCameBeforeTheCut) {
    const CutFixture fixture = EverythingOnce();
    ASSERT_TRUE(Load(fixture.bytes, 80));
    ASSERT_EQ(design.recordCount, static_cast<std::int32_t>(fixture.recordEnds.size()));
    const Design whole = CopyOf(design);
    const DesignFileDetails wholeDetails = details;
    const std::int32_t listEntries = wholeDetails.header.colourCount;

    for (std::size_t size = 0; size <= fixture.bytes.size(); ++size) {
        SCOPED_TRACE("file cut to " + std::to_string(size) + " bytes");
        ASSERT_TRUE(Load(Bytes(fixture.bytes.begin(), fixture.bytes.begin() + size), 80));

        const auto expectedRecords = static_cast<std::int32_t>(
            std::count_if(fixture.recordEnds.begin(), fixture.recordEnds.end(),
                          [size](std::size_t end) { return end <= size; }));
        ASSERT_GE(design.recordCount, 0);
        ASSERT_LT(design.recordCount, MaxStitchRecords);
        EXPECT_EQ(design.recordCount, expectedRecords);
        ExpectEndAt(design.recordCount);
        for (std::int32_t i = 0; i < design.recordCount; ++i) {
            ExpectRecord(i, whole.records[i].x, whole.records[i].y, whole.records[i].kind);
        }
        if (design.recordCount == 0) ExpectStartingExtents();

        const std::size_t listBytes = size > ColourListOffset ? size - ColourListOffset : 0;
        const auto expectedColours = std::min<std::int32_t>(
            static_cast<std::int32_t>(listBytes / ThreadNumberBytes), listEntries);
        EXPECT_EQ(design.colourCount, expectedColours);
        for (std::int32_t i = 0; i < design.colourCount; ++i) {
            EXPECT_EQ(design.colours[i], whole.colours[i]) << i;
            EXPECT_EQ(details.threadNumbers[i], wholeDetails.threadNumbers[i]) << i;
        }
        // A header word counts only once the file holds all four of its bytes.
        EXPECT_EQ(details.header.colourCount, size >= ColourCountOffset + HeaderWordBytes
                                                  ? wholeDetails.header.colourCount
                                                  : 0);

        const StreamEnd expectedEnd = size < fixture.streamStart ? StreamEnd::EndOfFileBeforeStream
                                      : size == fixture.bytes.size() ? StreamEnd::EndCode
                                                                     : StreamEnd::EndOfFile;
        EXPECT_EQ(details.streamEnd, expectedEnd);
    }
}

TEST_F(DesignReaderTest, ColourListCutShortBeyondTheLimitKeepsTheWholeEntriesRead) {
    std::vector<std::int32_t> threads(MaxDesignColours + 3, 2);
    threads[0] = 10;
    const Bytes whole = PxsWriter(threads).Build();
    const auto cutAfter = [&](std::size_t entries, std::size_t extraBytes) {
        return Bytes(whole.begin(),
                     whole.begin() + ColourListOffset + ThreadNumberBytes * entries + extraBytes);
    };
    ASSERT_TRUE(Load(cutAfter(50, 3)));
    EXPECT_EQ(design.colourCount, 50);
    EXPECT_EQ(design.colours[0], Red);
    EXPECT_EQ(design.colours[49], White);
    ExpectEndAt(0);
    EXPECT_EQ(details.streamEnd, StreamEnd::EndOfFileBeforeStream);

    // Inside the entries beyond the limit: the first MaxDesignColours stand.
    ASSERT_TRUE(Load(cutAfter(MaxDesignColours + 1, 0)));
    EXPECT_EQ(design.colourCount, MaxDesignColours);
    EXPECT_EQ(details.header.colourCount, MaxDesignColours + 3);
    ExpectEndAt(0);
    EXPECT_EQ(details.streamEnd, StreamEnd::EndOfFileBeforeStream);
}

// A file that is not there, bytes that are not there, and a folder (which opens on some systems
// and then fails to read) are each a file that cannot be loaded, not an empty design: the
// design loaded before keeps its colours and extents, its records cut off. Where nothing was
// read, the records stay as they were too.
TEST_F(DesignReaderTest, WhatCannotBeReadLeavesTheLastDesignInPlace) {
    PxsWriter good({10});
    good.Move(9, 9);
    good.End();
    ASSERT_TRUE(Load(good));
    const Design before = CopyOf(design);
    const std::string folder = TempPath("folder.pxs");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    DesignHeader header;
    EXPECT_FALSE(ReadDesignHeader(file, folder.c_str(), header));
    for (const std::string& path : {TempPath("no_such_design.pxs"), std::string(), folder}) {
        SCOPED_TRACE(path.empty() ? "no bytes" : path);
        EXPECT_FALSE(path.empty() ? LoadDesignFromBytes(nullptr, 10, 100, design)
                                  : LoadDesign(file, path.c_str(), 100, design, &details));
        EXPECT_EQ(design.recordCount, 0);
        EXPECT_EQ(design.colourCount, before.colourCount);
        EXPECT_EQ(design.colours, before.colours);
        EXPECT_EQ(design.extents.minX, before.extents.minX);
        EXPECT_EQ(design.extents.maxY, before.extents.maxY);
        if (path == folder) continue;
        design.recordCount = before.recordCount;
        EXPECT_TRUE(SameDesign(design, before));
        design.recordCount = 0;
    }
    std::filesystem::remove(folder);
}

TEST_F(DesignReaderTest, WriterDrawnShapeRoundTrips) {
    PxsWriter writer({1, 2});
    writer.JumpTo(-400, 300);  // leading jumps: dropped
    writer.StitchTo(-100, 300);
    writer.StitchTo(-100, -300);
    writer.ColourChange();
    writer.JumpTo(200, 0);
    writer.StitchTo(500, 0);
    writer.End();
    ASSERT_TRUE(Load(writer));
    // The four leading jumps are dropped with their displacements, so the reader's points sit
    // 400 right and 300 down (in file units, y upward) of the writer's.
    EXPECT_EQ(design.recordCount, writer.RecordCount() - 4);
    ExpectRecord(0, 100, 0, StitchKind::Stitch);
    ExpectRecord(7, 300, 600, StitchKind::Stitch);
    ExpectRecord(8, 300, -600, StitchKind::ColourChange);
    ExpectRecord(14, 900, 300, StitchKind::Stitch);
    ExpectExtents(100, 900, 0, 600);
}

TEST(DesignHeader, ReadsTheTwoCountsAndTheStreamOffset) {
    fakes::SystemFileSystem files;
    PxsWriter writer({1, 2, 3});
    writer.SetDeclaredStitchCount(64001);
    writer.End();
    const std::string path = TempPath("header.pxs");
    ASSERT_TRUE(writer.WriteFile(path));
    DesignHeader header;
    ASSERT_TRUE(ReadDesignHeader(*files.NewInputFile(), path.c_str(), header));
    EXPECT_EQ(header.streamOffset, 116 + 12);
    EXPECT_EQ(header.colourCount, 3);
    EXPECT_EQ(header.stitchCount, 64001);
    EXPECT_TRUE(TooManyStitches(header.stitchCount));

    ASSERT_TRUE(WriteBytes(path, Bytes(HeaderCountsBytes - 1, 0)));
    EXPECT_FALSE(ReadDesignHeader(*files.NewInputFile(), path.c_str(), header));
    std::filesystem::remove(path);
    EXPECT_FALSE(ReadDesignHeader(*files.NewInputFile(), path.c_str(), header));
}

TEST(DesignHeader, LimitsAreSignedAndInclusive) {
    EXPECT_FALSE(TooManyColours(MaxDesignColours));
    EXPECT_TRUE(TooManyColours(MaxDesignColours + 1));
    EXPECT_FALSE(TooManyStitches(MaxStitchRecords));
    EXPECT_TRUE(TooManyStitches(MaxStitchRecords + 1));
    EXPECT_FALSE(TooManyColours(-1) || TooManyStitches(-1));
    EXPECT_FALSE(TooManyColours(Int32Min));
}

TEST(ComputeExtents, MeasuresStitchesUpToTheFirstEnd) {
    StitchArray records = AllocateStitchArray();
    records[0] = StitchRecord(-5, 40, StitchKind::Jump);
    records[1] = StitchRecord(3, 2, StitchKind::Stitch);
    records[2] = StitchRecord(-1, -7, StitchKind::Stitch);
    records[3] = StitchRecord(100, 100, StitchKind::ColourChange);
    records[4] = StitchRecord(0, 0, StitchKind::End);
    records[5] = StitchRecord(500, 500, StitchKind::Stitch);
    DesignExtents extents{};
    ComputeExtents(records.get(), extents);
    EXPECT_EQ(std::tuple(extents.minX, extents.maxX, extents.minY, extents.maxY),
              std::tuple(-7, 2, -1, 3));
}

}  // namespace
}  // namespace vireluna
