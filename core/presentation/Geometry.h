#pragma once

#include <cstdint>

namespace vireluna {

struct Rect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

}  // namespace vireluna
