#include <cmath>
#include <cstdint>

#include "core/presentation/Placement.h"
#include "core/presentation/RecordScan.h"
#include "core/presentation/Rounding.h"

namespace vireluna {
namespace {

// Values of the Rotation setting; every other value turns by up to a full circle.
constexpr std::int32_t RotationNone = 0;
constexpr std::int32_t RotationSmall = 1;
constexpr std::int32_t RotationWide = 2;

// Angle choices in whole degrees: (r mod range) - shift.
constexpr int SmallTurnRange = 16;
constexpr int SmallTurnShift = 8;
constexpr int WideTurnRange = 90;
constexpr int WideTurnShift = 45;
constexpr int FullTurnDegrees = 360;

constexpr double RadiansPerDegree = 0.017453292519943278;

int ChooseAngle(std::int32_t rotation, Random& random) {
    switch (rotation) {
        case RotationNone:
            return 0;
        case RotationSmall:
            return random.Next() % SmallTurnRange - SmallTurnShift;
        case RotationWide:
            return random.Next() % WideTurnRange - WideTurnShift;
        default:
            return random.Next() % FullTurnDegrees;
    }
}

// Integer centre of one axis; the shift halves towards minus infinity. 64 bits, so extents
// at their start values (max below min) cannot overflow either.
std::int64_t AxisCentre(std::int32_t min, std::int32_t max) {
    return min + ((static_cast<std::int64_t>(max) - min) >> 1);
}

}  // namespace

int RotateDesign(const Design& design, std::int32_t rotation, Random& random,
                 StitchRecord* placed) {
    const StitchRecord* records = design.records.get();
    const std::int32_t end = EndIndex(records);
    const int angle = ChooseAngle(rotation, random);
    if (rotation == RotationNone) {
        for (std::int32_t i = 0; i < end; ++i) placed[i] = records[i];
        placed[end] = StitchRecord(records[end].y, records[end].x, StitchKind::End);
        return angle;
    }

    const double theta = angle * RadiansPerDegree;
    const double sine = std::sin(theta);
    const double cosine = std::cos(theta);
    const std::int64_t centreX = AxisCentre(design.extents.minX, design.extents.maxX);
    const std::int64_t centreY = AxisCentre(design.extents.minY, design.extents.maxY);

    for (std::int32_t i = 0; i < end; ++i) {
        const StitchRecord& record = records[i];
        const double dx = static_cast<double>(record.x - centreX);
        const double dy = static_cast<double>(record.y - centreY);
        const std::int64_t turnedX = RoundHalfAway(dx * cosine + dy * sine) + centreX;
        const std::int64_t turnedY = RoundHalfAway(dy * cosine - dx * sine) + centreY;
        placed[i] = StitchRecord(SaturateToInt32(turnedY), SaturateToInt32(turnedX), record.kind);
    }
    placed[end] = StitchRecord(records[end].y, records[end].x, StitchKind::End);
    return angle;
}

}  // namespace vireluna
