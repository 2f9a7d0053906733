#pragma once

#include <cstdint>

namespace vireluna {

// The one generator behind every random choice of the saver, seeded once at start.
class Random {
  public:
    static constexpr int MaxValue = 0x7FFF;

    explicit Random(std::uint32_t seed = 1) : state_(seed) {}
    void Seed(std::uint32_t seed) { state_ = seed; }

    // One draw: 0 to 32767.
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    // A choice among n values (n > 0): the remainder of one draw.
    int Choose(int n) { return Next() % n; }

    std::uint32_t State() const { return state_; }

  private:
    std::uint32_t state_;
};

}  // namespace vireluna
