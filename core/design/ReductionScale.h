#pragma once

#include <cstdint>
#include <limits>

namespace vireluna {

// Multiplies file units by reduction / 100 as every reader does: truncating toward zero, and
// held within the int32 range.
class ReductionScale {
  public:
    explicit ReductionScale(std::int32_t reduction) : factor_(reduction * PercentToFactor) {}

    std::int32_t operator()(std::int64_t value) const {
        const double scaled = static_cast<double>(value) * factor_;
        if (scaled > Lowest && scaled < Highest) return static_cast<std::int32_t>(scaled);
        return scaled > 0 ? std::numeric_limits<std::int32_t>::max()
                          : std::numeric_limits<std::int32_t>::min();
    }

  private:
    static constexpr double PercentToFactor = 0.01;
    static constexpr double Lowest = std::numeric_limits<std::int32_t>::min();
    static constexpr double Highest = std::numeric_limits<std::int32_t>::max();

    double factor_;
};

}  // namespace vireluna
