#include "core/design/RecordBuilder.h"

#include <algorithm>
#include <limits>

namespace vireluna {
// A load keeps one slot for the End record.
RecordBuilder::RecordBuilder(StitchRecord* records, std::int32_t reduction)
    : records_(records), capacity_(MaxStitchRecords - 1), scale_(reduction) {}

// The End record is counted by the caller.
RecordBuilder::RecordBuilder(std::int32_t countUpTo)
    : records_(nullptr), capacity_(countUpTo - 1), scale_(0) {}

bool RecordBuilder::ColourChange() {
    if (!Add(x_, y_, StitchKind::ColourChange)) return false;
    if (blocks_ < std::numeric_limits<std::int32_t>::max()) ++blocks_;
    return true;
}

void RecordBuilder::SetColour(ColourValue colour) {
    if (blocks_ <= MaxDesignColours) colours_[blocks_ - 1] = colour;
}

std::int32_t RecordBuilder::FinishInto(Design& design) {
    records_[count_] = StitchRecord(0, 0, StitchKind::End);
    const std::int32_t colourCount = std::min(blocks_, MaxDesignColours);
    std::copy_n(colours_.begin(), colourCount, design.colours.begin());
    design.colourCount = colourCount;
    design.recordCount = count_;
    design.extents = extents_;
    return count_;
}

}  // namespace vireluna
