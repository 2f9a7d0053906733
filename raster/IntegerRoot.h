#pragma once

#include <cmath>
#include <cstdint>

namespace vireluna::raster {

// The largest r with r * r <= value (0 for a value below 1). The double's root is within one
// of the integer root; the checks make it exact, so every platform draws the same pixels.
inline std::int64_t SquareRootBelow(std::int64_t value) {
    if (value <= 0) return 0;
    auto root = static_cast<std::int64_t>(std::sqrt(static_cast<double>(value)));
    while (root * root > value) --root;
    while ((root + 1) * (root + 1) <= value) ++root;
    return root;
}

}  // namespace vireluna::raster
