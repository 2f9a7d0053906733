#include "design/RecordBuilder.h"

#include <algorithm>
#include <limits>

namespace vireluna {
namespace {

constexpr double PercentToFactor = 0.01;

constexpr DesignExtents StartingExtents{
    std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
    std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};

}  // namespace

// A load keeps one slot for the End record. Counting goes one record past what fits, which is
// enough to tell that a design does not.
RecordBuilder::RecordBuilder(StitchRecord* records, std::int32_t reduction)
    : records_(records),
      capacity_(records != nullptr ? MaxStitchRecords - 1 : MaxStitchRecords),
      factor_(reduction * PercentToFactor),
      extents_(StartingExtents) {}

std::int32_t RecordBuilder::Scale(std::int64_t value) const {
    // Truncates toward zero as the saver's own reader does, held within the int32 range.
    const double scaled = static_cast<double>(value) * factor_;
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (!(scaled > lowest)) return std::numeric_limits<std::int32_t>::min();
    if (!(scaled < highest)) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(scaled);
}

bool RecordBuilder::Add(std::int64_t x, std::int64_t y, StitchKind kind) {
    if (Full()) return false;
    if (count_ == capacity_) {
        end_ = StreamEnd::RecordLimit;
        return false;
    }
    x_ = x;
    y_ = y;
    lastWasStitch_ = kind == StitchKind::Stitch;
    if (records_ != nullptr) {
        StitchRecord& record = records_[count_];
        record.kind = kind;
        record.x = Scale(x);
        record.y = Scale(y);
        if (kind == StitchKind::Stitch) {
            extents_.minX = std::min(extents_.minX, record.x);
            extents_.maxY = std::max(extents_.maxY, record.y);
            extents_.maxX = std::max(extents_.maxX, record.x);
            extents_.minY = std::min(extents_.minY, record.y);
        }
    }
    ++count_;
    return true;
}

bool RecordBuilder::Stitch(std::int64_t x, std::int64_t y) {
    if (lastWasStitch_ && x == x_ && y == y_) return !Full();
    return Add(x, y, StitchKind::Stitch);
}

bool RecordBuilder::Jump(std::int64_t x, std::int64_t y) {
    return Add(x, y, StitchKind::Jump);
}

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
