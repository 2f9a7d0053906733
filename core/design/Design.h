#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>

#include "core/design/DesignLimits.h"
#include "core/design/StitchRecord.h"
#include "core/ports/ColourValue.h"

namespace vireluna {

struct DesignExtents {
    std::int32_t minX;
    std::int32_t maxY;
    std::int32_t maxX;
    std::int32_t minY;
};

// The extents before any stitch is measured: every stitch then widens them.
inline constexpr DesignExtents NoStitchExtents{
    std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min(),
    std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};

inline void IncludeStitch(DesignExtents& extents, std::int32_t x, std::int32_t y) {
    extents.minX = std::min(extents.minX, x);
    extents.maxY = std::max(extents.maxY, y);
    extents.maxX = std::max(extents.maxX, x);
    extents.minY = std::min(extents.minY, y);
}

// A record array with room for MaxStitchRecords entries, allocated once by its owner.
using StitchArray = std::unique_ptr<StitchRecord[]>;
StitchArray AllocateStitchArray();

struct Design {
    std::array<ColourValue, MaxDesignColours> colours{};
    // Entries of colours set by the last load (0 to MaxDesignColours); later entries are stale.
    std::int32_t colourCount = 0;
    std::int32_t recordCount = 0;
    StitchArray records;  // MaxStitchRecords entries, ended by an End record
    DesignExtents extents{};
};

// Scans records up to the first End record and writes the extents of the Stitch records.
void ComputeExtents(const StitchRecord* records, DesignExtents& extents);

}  // namespace vireluna
