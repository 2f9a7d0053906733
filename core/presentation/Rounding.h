#pragma once

#include <cstdint>

namespace vireluna {

// Integer results of real and wide arithmetic. Coordinates can come from any file, so
// every conversion saturates at the int32 limits instead of overflowing.

// Nearest integer, halves away from zero; saturates at the int32 limits (NaN gives 0).
std::int32_t RoundHalfAway(double value);

// Truncated toward zero; saturates at the int32 limits (NaN gives 0).
std::int32_t TruncateToInt32(double value);

std::int32_t SaturateToInt32(std::int64_t value);

// number × numerator / denominator with a 64-bit product, rounded to the nearest integer with
// halves away from zero, as a display's font-size arithmetic does. A zero denominator gives 0.
std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

}  // namespace vireluna
