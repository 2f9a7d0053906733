#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/design/Design.h"
#include "core/design/ReductionScale.h"
#include "core/design/formats/PxsReader.h"
#include "core/ports/ColourValue.h"

namespace vireluna {

// Turns the needle positions a format reader finds into the saver's records, so that every
// format is drawn by one rule: thread lies only between two consecutive Stitch records.
// Positions come in file units (0.1 mm), absolute, y growing downward. Each record is scaled by
// reduction / 100 and the stitches are measured. A stitch on the point of the stitch just
// before it is left out: writers differ in repeating needle drops, and it draws nothing.
// With no record array the builder only counts, for the check of a design list.
class RecordBuilder {
  public:
    // records: MaxStitchRecords entries.
    RecordBuilder(StitchRecord* records, std::int32_t reduction);
    // Counts only, up to countUpTo records.
    explicit RecordBuilder(std::int32_t countUpTo);

    // Each returns false once the design is full: the reader stops there.
    bool Stitch(std::int64_t x, std::int64_t y) {
        if (lastWasStitch_ && x == x_ && y == y_) return !Full();
        return Add(x, y, StitchKind::Stitch);
    }
    bool Jump(std::int64_t x, std::int64_t y) { return Add(x, y, StitchKind::Jump); }
    // Starts the next colour block; the needle stays where it is.
    bool ColourChange();
    // A stop that moves: the move is a jump, then the change.
    bool ColourChangeAt(std::int64_t x, std::int64_t y) {
        if ((x != x_ || y != y_) && !Jump(x, y)) return false;
        return ColourChange();
    }
    // The thread of the current colour block.
    void SetColour(ColourValue colour);
    // The thread of colour block `block` (from 0), for a format that lists them after its
    // stitches.
    void SetBlockColour(std::int32_t block, ColourValue colour) {
        if (block >= 0 && block < MaxDesignColours) colours_[block] = colour;
    }
    // The reader saw its format's own end.
    void EndCodeSeen() { end_ = StreamEnd::EndCode; }

    std::int64_t X() const { return x_; }
    std::int64_t Y() const { return y_; }
    bool Full() const { return end_ == StreamEnd::RecordLimit; }
    std::int32_t ColourBlocks() const { return blocks_; }
    std::int32_t RecordCount() const { return count_; }
    StreamEnd End() const { return end_; }

    // Writes the End record, the colours and extents into design (its records must be the
    // array given), and returns how many records came before the End.
    std::int32_t FinishInto(Design& design);

  private:
    // Called for every record of a load: kept here so that readers can inline it.
    bool Add(std::int64_t x, std::int64_t y, StitchKind kind) {
        if (count_ == capacity_) {
            end_ = StreamEnd::RecordLimit;
            return false;
        }
        x_ = x;
        y_ = y;
        lastWasStitch_ = kind == StitchKind::Stitch;
        if (records_ != nullptr) {
            // An unsigned index: a checked build then tests it once, not three ways.
            StitchRecord& record = records_[static_cast<std::size_t>(count_)];
            record.kind = kind;
            record.x = scale_(x);
            record.y = scale_(y);
            if (lastWasStitch_) IncludeStitch(extents_, record.x, record.y);
        }
        ++count_;
        return true;
    }

    StitchRecord* records_;
    std::int32_t capacity_;
    ReductionScale scale_;
    std::int32_t count_ = 0;
    std::int32_t blocks_ = 1;
    std::int64_t x_ = 0;
    std::int64_t y_ = 0;
    bool lastWasStitch_ = false;
    StreamEnd end_ = StreamEnd::EndOfFile;
    std::array<ColourValue, MaxDesignColours> colours_{};
    DesignExtents extents_ = NoStitchExtents;
};

}  // namespace vireluna
