#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vireluna {

// Environment variables for tests and screenshots. Without them the saver runs as usual.
// VIRELUNA_SEED=N: the random generator starts from N instead of the time.
inline constexpr std::string_view SeedVariable = "VIRELUNA_SEED";
// VIRELUNA_TICKS=N: the timer stops after N ticks and the picture stays until the saver ends.
inline constexpr std::string_view TicksVariable = "VIRELUNA_TICKS";
// VIRELUNA_MONITORS=WxH+X+Y[,...] (the primary first): the full-screen saver covers these
// monitors instead of the system's, so a desk the machine does not have can be played.
inline constexpr std::string_view MonitorsVariable = "VIRELUNA_MONITORS";

// The most ticks --ticks asks for: hours of the saver at its fastest.
inline constexpr std::int32_t MaxTicksOnRequest = 10'000'000;

// A seed is a decimal number from 0 to 4294967295; anything else is no seed.
std::optional<std::uint32_t> ParseSeed(std::string_view text);
// A tick count is a decimal number from 0 up; anything else is no limit.
std::optional<std::int64_t> ParseTickCount(std::string_view text);

// The seed the generator starts from: the variable's when it holds one, else the time.
std::uint32_t ChooseSeed(std::optional<std::string_view> seedVariable, std::uint32_t secondsNow);

// Counts the animation's ticks against an optional limit.
class TickLimit {
  public:
    TickLimit() = default;
    explicit TickLimit(std::optional<std::int64_t> limit) : limit_(limit) {}

    // False once the limit has been reached: no further tick may run, no timer may start.
    bool AllowsTick() const { return !limit_ || ticks_ < *limit_; }
    // Counts one tick that ran; true when it was the last one allowed.
    bool CountTick() {
        ++ticks_;
        return !AllowsTick();
    }
    std::int64_t Ticks() const { return ticks_; }

  private:
    std::optional<std::int64_t> limit_;
    std::int64_t ticks_ = 0;
};

}  // namespace vireluna
