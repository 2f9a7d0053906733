#include "tools/designgen/SatinColumn.h"

#include <algorithm>
#include <cmath>

#include "tools/designgen/RunningStitch.h"

namespace vireluna::designgen {
namespace {

int StepsAlong(const Polyline& railA, const Polyline& railB, double spacing) {
    const double average = (PathLength(railA) + PathLength(railB)) / 2.0;
    return std::max(1, static_cast<int>(std::ceil(average / spacing)));
}

}  // namespace

Polyline SatinColumn(const Polyline& railA, const Polyline& railB, double spacing) {
    return SlantedSatin(railA, railB, spacing, 0.0);
}

Polyline SlantedSatin(const Polyline& railA, const Polyline& railB, double spacing, double lag) {
    Polyline stitches;
    if (railA.empty() || railB.empty() || spacing <= 0.0 || lag < 0.0 || lag >= 1.0) {
        return stitches;
    }
    const int steps = StepsAlong(railA, railB, spacing);
    stitches.reserve(2 * (steps + 1));
    for (int i = 0; i <= steps; ++i) {
        const double fraction = static_cast<double>(i) / steps;
        const double trailing = std::max(0.0, (fraction - lag) / (1.0 - lag));
        stitches.push_back(PointAlong(railA, fraction));
        stitches.push_back(PointAlong(railB, trailing));
    }
    return stitches;
}

Polyline CentreRun(const Polyline& railA, const Polyline& railB, double stitchLength) {
    if (railA.empty() || railB.empty() || stitchLength <= 0.0) return {};
    // Sampled finely enough to follow the column's bends.
    constexpr double SampleSpacing = 4.0;
    const int steps = StepsAlong(railA, railB, SampleSpacing);
    Polyline centre;
    centre.reserve(steps + 1);
    for (int i = 0; i <= steps; ++i) {
        const double fraction = static_cast<double>(i) / steps;
        centre.push_back(Lerp(PointAlong(railA, fraction), PointAlong(railB, fraction), 0.5));
    }
    return RunningStitch(centre, stitchLength);
}

}  // namespace vireluna::designgen
