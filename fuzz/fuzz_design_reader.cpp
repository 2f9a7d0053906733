// Feeds arbitrary bytes to the design reader as a whole file and checks what a load promises:
// it finishes, stays inside its arrays (AddressSanitizer), does no undefined arithmetic
// (UndefinedBehaviorSanitizer) and leaves a design the drawing code can walk.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "core/design/formats/PxsReader.h"

namespace {

using namespace vireluna;

// Reductions the saver may be given: the option page's range, its default, and stored values
// that nothing clamps.
constexpr std::int32_t Reductions[] = {80,
                                       100,
                                       30,
                                       0,
                                       -250,
                                       std::numeric_limits<std::int32_t>::max(),
                                       std::numeric_limits<std::int32_t>::min()};

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckDesign(const Design& design) {
    Require(design.colourCount >= 0 && design.colourCount <= MaxDesignColours);
    Require(design.recordCount >= 0 && design.recordCount < MaxStitchRecords);
    const StitchRecord& end = design.records[design.recordCount];
    Require(end.kind == StitchKind::End && end.x == 0 && end.y == 0);

    DesignExtents expected{
        std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    for (std::int32_t i = 0; i < design.recordCount; ++i) {
        const StitchRecord& record = design.records[i];
        if (record.kind == StitchKind::End) break;
        if (record.kind != StitchKind::Stitch) continue;
        if (record.x < expected.minX) expected.minX = record.x;
        if (record.x > expected.maxX) expected.maxX = record.x;
        if (record.y < expected.minY) expected.minY = record.y;
        if (record.y > expected.maxY) expected.maxY = record.y;
    }
    Require(design.extents.minX == expected.minX && design.extents.maxX == expected.maxX &&
            design.extents.minY == expected.minY && design.extents.maxY == expected.maxY);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One design for the whole run, as the saver window keeps one for all its loads.
    static Design design = [] {
        Design fresh;
        fresh.records = AllocateStitchArray();
        return fresh;
    }();
    const std::int32_t reduction = Reductions[size % std::size(Reductions)];

    // The end of the file acts as the end code wherever it falls, so every input loads; one
    // that ends before its stream has no records.
    DesignFileDetails details;
    Require(LoadDesignFromBytes(data, size, reduction, design, &details));
    CheckDesign(design);
    if (details.streamEnd == StreamEnd::EndOfFileBeforeStream) Require(design.recordCount == 0);
    if (size < ColourListOffset) {
        Require(details.streamEnd == StreamEnd::EndOfFileBeforeStream && design.colourCount == 0);
    }
    return 0;
}
