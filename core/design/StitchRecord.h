#pragma once

#include <cstdint>

namespace vireluna {

// Kinds a record can carry. Values other than these are control codes kept
// from the file as they were read.
enum class StitchKind : std::uint8_t {
    Stitch = 0,
    ColourChange = 1,
    Jump = 2,
    End = 255,
};

// One needle point, absolute, in model units with y growing downward. A plain structure: the
// record arrays are allocated once for 64,000 records and filled by the loader, so building
// them writes nothing and only the pages of the records a design uses are ever touched.
struct StitchRecord {
    StitchRecord() = default;  // fields are left unset
    StitchRecord(std::int32_t yValue, std::int32_t xValue, StitchKind kindValue)
        : y(yValue), x(xValue), kind(kindValue) {}

    std::int32_t y;
    std::int32_t x;
    StitchKind kind;
};

}  // namespace vireluna
