#include "core/presentation/Rounding.h"

#include <cmath>
#include <limits>

namespace vireluna {
namespace {

constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

// An integral double to int32, saturating (a double to int conversion out of range is undefined).
std::int32_t SaturateIntegral(double integral) {
    if (std::isnan(integral)) return 0;
    if (integral >= static_cast<double>(Int32Max)) return Int32Max;
    if (integral <= static_cast<double>(Int32Min)) return Int32Min;
    return static_cast<std::int32_t>(integral);
}

}  // namespace

std::int32_t RoundHalfAway(double value) {
    const double truncated = std::trunc(value);
    const double fraction = value - truncated;
    if (value >= 0.0) return SaturateIntegral(fraction >= 0.5 ? truncated + 1.0 : truncated);
    return SaturateIntegral(fraction <= -0.5 ? truncated - 1.0 : truncated);
}

std::int32_t TruncateToInt32(double value) {
    return SaturateIntegral(std::trunc(value));
}

std::int32_t SaturateToInt32(std::int64_t value) {
    if (value > Int32Max) return Int32Max;
    if (value < Int32Min) return Int32Min;
    return static_cast<std::int32_t>(value);
}

std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator) {
    if (denominator == 0) return 0;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    std::int64_t quotient = product / denominator;
    const std::int64_t remainder = product % denominator;
    // |remainder| < |denominator| <= 2^31, so doubling it stays within 64 bits.
    const std::int64_t twiceRemainder = 2 * (remainder < 0 ? -remainder : remainder);
    const std::int64_t magnitude = denominator < 0 ? -static_cast<std::int64_t>(denominator)
                                                   : static_cast<std::int64_t>(denominator);
    if (twiceRemainder >= magnitude) quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
    return SaturateToInt32(quotient);
}

}  // namespace vireluna
