#pragma once

namespace vireluna::designgen::density {

// Stitch lengths and spacings in design units (0.1 mm), as a machine sews them.
inline constexpr double SatinSpacing = 4.0;
inline constexpr double RunLength = 22.0;
inline constexpr double UnderlayLength = 30.0;
inline constexpr double FillRowSpacing = 4.0;
inline constexpr double FillStitchLength = 30.0;

}  // namespace vireluna::designgen::density
