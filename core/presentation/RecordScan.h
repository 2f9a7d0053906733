#pragma once

#include <cstdint>

#include "core/design/DesignLimits.h"
#include "core/design/StitchRecord.h"

namespace vireluna {

// Index of the End record of an array of MaxStitchRecords records. An array without one is
// taken to end at its last slot, so no walk over it ever leaves the array.
inline std::int32_t EndIndex(const StitchRecord* records) {
    constexpr std::int32_t lastSlot = MaxStitchRecords - 1;
    for (std::int32_t i = 0; i < lastSlot; ++i) {
        if (records[i].kind == StitchKind::End) return i;
    }
    return lastSlot;
}

}  // namespace vireluna
