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

// One needle point, absolute, in model units with y growing downward.
class StitchRecord {
  public:
    StitchRecord() {}  // fields are left unset: arrays of 64,000 are filled by the loader
    StitchRecord(std::int32_t yValue, std::int32_t xValue, StitchKind kindValue)
        : y(yValue), x(xValue), kind(kindValue) {}
    virtual ~StitchRecord() = default;
    StitchRecord(const StitchRecord&) = default;
    StitchRecord& operator=(const StitchRecord&) = default;

    std::int32_t y;
    std::int32_t x;
    StitchKind kind;
};

}  // namespace vireluna
