#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "core/design/Design.h"

namespace vireluna::fakes {

inline StitchRecord At(std::int32_t x, std::int32_t y, StitchKind kind = StitchKind::Stitch) {
    return StitchRecord(y, x, kind);
}

// A design as a load leaves it: the records given, an End record, and their extents.
inline Design DesignOf(std::initializer_list<StitchRecord> records) {
    Design design;
    design.records = AllocateStitchArray();
    std::copy(records.begin(), records.end(), design.records.get());
    design.recordCount = static_cast<std::int32_t>(records.size());
    design.records[design.recordCount] = At(0, 0, StitchKind::End);
    ComputeExtents(design.records.get(), design.extents);
    return design;
}

}  // namespace vireluna::fakes
