#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/design/ThreadPalette.h"
#include "core/design/formats/PxsReader.h"
#include "core/presentation/StitchDrawing.h"
#include "tests/core/DesignFixture.h"
#include "tests/core/FakeSurface.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna {
namespace {

using fakes::At;
using fakes::DrawnLine;
using fakes::FakeSurface;
using fakes::SurfaceCallKind;
using Lines = std::vector<DrawnLine>;

constexpr ColourValue Red = 0x020000FF;
constexpr ColourValue Green = 0x0200FF00;
constexpr StitchKind Jump = StitchKind::Jump;
constexpr StitchKind Change = StitchKind::ColourChange;

Design ColouredDesign(std::initializer_list<StitchRecord> records) {
    Design design = fakes::DesignOf(records);
    design.colours[0] = Red;
    design.colours[1] = Green;
    design.colourCount = 2;
    return design;
}

// One batch over the design's own records, from and back into position and colour index.
struct Batch {
    bool ended;
    std::int32_t drawPosition;
    std::int32_t colourIndex;
};

Batch Draw(FakeSurface& surface, const Design& design, StitchPen pen, Batch from = {}) {
    from.ended = DrawStitches(surface, design.records.get(), design, pen, from.drawPosition,
                              from.colourIndex);
    return from;
}

std::size_t Moves(const FakeSurface& surface) {
    return surface.CallsOf(SurfaceCallKind::MoveTo).size();
}

TEST(DrawStitches, LinesJoinOnlyConsecutiveStitchesInTheirBlockColour) {
    const Design design = ColouredDesign(
        {At(0, 0), At(10, 0), At(20, 5, Jump), At(30, 0), At(40, 0), At(40, 0, Change), At(50, 0),
         At(55, 9, static_cast<StitchKind>(7)), At(60, 0), At(70, 0)});
    FakeSurface surface;
    const Batch batch = Draw(surface, design, {3, 100, 1.0});
    EXPECT_TRUE(batch.ended);
    EXPECT_EQ(batch.drawPosition, 10);  // the End record
    EXPECT_EQ(batch.colourIndex, 1);
    EXPECT_EQ(surface.Lines(),
              (Lines{{0, 0, 10, 0, 3, Red}, {30, 0, 40, 0, 3, Red}, {60, 0, 70, 0, 3, Green}}));
    EXPECT_EQ(Moves(surface), 7u);
    EXPECT_EQ(surface.CallsOf(SurfaceCallKind::SetPen).size(), 2u);

    // A colour change before the first stitch: that stitch is drawn in the second entry.
    const Design changeFirst = ColouredDesign({At(0, 0, Change), At(0, 0), At(5, 5)});
    surface.Clear();
    Draw(surface, changeFirst, {1, 5, 1.0});
    EXPECT_EQ(surface.Lines(), (Lines{{0, 0, 5, 5, 1, Green}}));
}

TEST(DrawStitches, BatchesDrawNStitchesAndReportTheEndAsSoonAsItIsNext) {
    // Six stitches, with jumps on the way that are passed without counting.
    const Design design = ColouredDesign({At(0, 0, Jump), At(0, 0, Jump), At(0, 0), At(1, 0),
                                          At(2, 0), At(3, 0, Jump), At(3, 0), At(4, 0), At(5, 0)});
    FakeSurface surface;
    Batch batch = Draw(surface, design, {1, 3, 1.0});
    EXPECT_EQ(std::tuple(batch.ended, batch.drawPosition), std::tuple(false, 5));
    EXPECT_EQ(Moves(surface), 3u);
    EXPECT_EQ(surface.Lines().size(), 2u);  // the third stitch is followed by a jump

    surface.Clear();
    batch = Draw(surface, design, {1, 3, 1.0}, batch);
    // Ended on the last stitch: reported at once, so the hold starts on this tick.
    EXPECT_EQ(std::tuple(batch.ended, batch.drawPosition), std::tuple(true, 9));
    EXPECT_EQ(Moves(surface), 3u);

    surface.Clear();
    batch = Draw(surface, design, {1, 1, 1.0}, {false, 6, 0});
    EXPECT_EQ(std::tuple(batch.ended, batch.drawPosition), std::tuple(false, 7));
    EXPECT_EQ(surface.Lines(), (Lines{{3, 0, 4, 0, 1, Red}}));
}

TEST(DrawStitches, EndFirstOrAPositionOutsideTheArrayDrawsNothingAndEnds) {
    const Design design = ColouredDesign({});
    for (const std::int32_t position : {0, -1, MaxStitchRecords, MaxStitchRecords + 5}) {
        FakeSurface surface;
        const Batch batch = Draw(surface, design, {1, 3, 1.0}, {false, position, 0});
        EXPECT_TRUE(batch.ended);
        EXPECT_EQ(batch.drawPosition, position);
        EXPECT_EQ(Moves(surface), 0u);
    }
}

// A 152-pixel preview of a 1280-pixel screen: s = 0.11875, 1000 -> 118.75 -> 118.
TEST(DrawStitches, PreviewScalesAndTruncatesTowardZero) {
    const Design design = ColouredDesign({At(1000, -1000), At(-1000, 1000), At(3, 9)});
    FakeSurface surface;
    Draw(surface, design, {PenWidthFor(true, 2), 5, 152.0 / 1280.0});
    EXPECT_EQ(surface.Lines(), (Lines{{118, -118, -118, 118, 1, Red}, {-118, 118, 0, 1, 1, Red}}));
}

// The thread look lays the same stitches in the same batches; only the pen differs.
TEST(DrawStitches, ThreadLookDrawsTheFlatLooksLinesAndBatchesWithThreads) {
    const Design design = ColouredDesign({At(0, 0), At(10, 0), At(20, 5, Jump), At(30, 0),
                                          At(40, 0, Change), At(50, 0), At(60, 3), At(70, 0)});
    const int threadWidth = ThreadWidthFor(100, 1.0);
    for (const std::int32_t perTick : {1, 2, 5}) {
        FakeSurface flat;
        FakeSurface thread;
        Batch flatBatch{};
        Batch threadBatch{};
        while (!flatBatch.ended) {
            flatBatch = Draw(flat, design, {2, perTick, 1.0}, flatBatch);
            threadBatch = Draw(thread, design, {2, perTick, 1.0, StitchLook::Thread, threadWidth},
                               threadBatch);
            ASSERT_EQ(std::tuple(threadBatch.ended, threadBatch.drawPosition),
                      std::tuple(flatBatch.ended, flatBatch.drawPosition));
        }
        Lines expected = flat.Lines();
        for (DrawnLine& line : expected) line.width = threadWidth;
        EXPECT_EQ(thread.Lines(), expected);
        EXPECT_TRUE(thread.CallsOf(SurfaceCallKind::SetPen).empty());
    }
}

TEST(ThreadWidthFor, ThreeAndAHalfUnitsAtTheDesignsScaleAndNeverBelowOnePixel) {
    EXPECT_EQ(ThreadWidthFor(100, 1.0), 35 * SubpixelScale / 10);
    EXPECT_EQ(ThreadWidthFor(80, 1.0), 28 * SubpixelScale / 10);
    EXPECT_EQ(ThreadWidthFor(200, 0.5), 35 * SubpixelScale / 10);
    EXPECT_EQ(ThreadWidthFor(80, 152.0 / 1024.0), SubpixelScale);  // the preview
    EXPECT_EQ(ThreadWidthFor(-40, 1.0), SubpixelScale);
    EXPECT_EQ(ThreadWidthFor(INT32_MAX, 1.0), MaxPenWidth * SubpixelScale);
}

TEST(PenWidthFor, PreviewIsAlwaysThinAndFullScreenFollowsPenSize) {
    for (const int penSize : {-3, 0, 2, 9}) EXPECT_EQ(PenWidthFor(true, penSize), 1);
    EXPECT_EQ(PenWidthFor(false, 0), 1);
    EXPECT_EQ(PenWidthFor(false, 1), 2);
    EXPECT_EQ(PenWidthFor(false, 2), 3);
    // Beyond the option page: the width still follows, within 1 .. MaxPenWidth pixels.
    EXPECT_EQ(PenWidthFor(false, 9), 10);
    EXPECT_EQ(PenWidthFor(false, 63), 64);
    EXPECT_EQ(PenWidthFor(false, -3), 1);
    EXPECT_EQ(PenWidthFor(false, INT32_MAX), MaxPenWidth);
    EXPECT_EQ(PenWidthFor(false, INT32_MIN), 1);
}

// A design loaded after one with more colours: entries past its own last one are stale.
TEST(PenColour, PastTheLastEntryKeepsTheDesignsOwnLastColour) {
    Design design = fakes::DesignOf({});
    for (const std::vector<std::int32_t>& threads : {std::vector{1, 2, 3, 4, 5}, {6, 7}}) {
        pxs::PxsWriter writer(threads);
        writer.StitchTo(10, 10);
        writer.End();
        const std::vector<std::uint8_t> bytes = writer.Build();
        ASSERT_TRUE(LoadDesignFromBytes(bytes.data(), bytes.size(), 100, design));
    }
    const ThreadPalette palette;
    ASSERT_NE(palette.ColourForNumber(7), palette.ColourForNumber(3));
    EXPECT_EQ(PenColour(design, 0), palette.ColourForNumber(6));
    EXPECT_EQ(PenColour(design, 1), palette.ColourForNumber(7));
    EXPECT_EQ(PenColour(design, 2), palette.ColourForNumber(7));
    EXPECT_EQ(PenColour(design, 500), palette.ColourForNumber(7));

    design.colourCount = 0;
    EXPECT_EQ(PenColour(design, 3), 0x02000000u);  // black

    // Drawing past the last entry stays on that colour.
    Design oneColour = ColouredDesign({At(0, 0), At(1, 0), At(1, 0, Change), At(2, 0), At(3, 0)});
    oneColour.colourCount = 1;
    FakeSurface surface;
    Draw(surface, oneColour, {1, 5, 1.0});
    EXPECT_EQ(surface.Lines(), (Lines{{0, 0, 1, 0, 1, Red}, {2, 0, 3, 0, 1, Red}}));
}

}  // namespace
}  // namespace vireluna
