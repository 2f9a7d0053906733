#pragma once
// What every format reader promises for any bytes: it finishes, stays inside its arrays
// (AddressSanitizer), does no undefined arithmetic (UndefinedBehaviorSanitizer), leaves records
// the drawing code can walk with extents that match them, and counts what it loads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>

#include "core/design/DesignFileLoader.h"
#include "core/ports/MemoryInputFile.h"

namespace vireluna::fuzzing {

inline void Require(bool condition) {
    if (!condition) std::abort();
}

// Reductions the saver may be given, stored values that nothing clamps among them.
inline constexpr std::int32_t Reductions[] = {80,
                                              100,
                                              30,
                                              0,
                                              -250,
                                              std::numeric_limits<std::int32_t>::max(),
                                              std::numeric_limits<std::int32_t>::min()};

inline void CheckDesign(const Design& design) {
    Require(design.colourCount >= 1 && design.colourCount <= MaxDesignColours);
    Require(design.recordCount >= 0 && design.recordCount < MaxStitchRecords);
    Require(design.records[design.recordCount].kind == StitchKind::End);
    DesignExtents expected;
    ComputeExtents(design.records.get(), expected);
    Require(design.extents.minX == expected.minX && design.extents.maxX == expected.maxX &&
            design.extents.minY == expected.minY && design.extents.maxY == expected.maxY);
}

// Reads the bytes with the format's reader, whatever their signature, into a design and once
// more counting only: both must agree.
inline int FuzzFormatReader(const FormatRow& format, const std::uint8_t* data, std::size_t size) {
    static Design design = [] {
        Design fresh;
        fresh.records = AllocateStitchArray();
        return fresh;
    }();
    const std::int32_t reduction = Reductions[size % std::size(Reductions)];

    MemoryInputFile file(data, size);
    file.Open("fuzz");
    DesignByteSource source(file);
    RecordBuilder records(design.records.get(), reduction);
    const bool read = format.read(source, records);
    if (read) {
        records.FinishInto(design);
        CheckDesign(design);
    }

    MemoryInputFile again(data, size);
    again.Open("fuzz");
    DesignByteSource countSource(again);
    RecordBuilder counts(nullptr, reduction);
    Require(format.read(countSource, counts) == read);
    if (read && !records.Full()) {
        Require(counts.RecordCount() == design.recordCount);
        Require(counts.ColourBlocks() == records.ColourBlocks());
    }
    return 0;
}

}  // namespace vireluna::fuzzing
