#pragma once

#include <chrono>

namespace vireluna::headless {

// Timer 1 on a monotonic clock: ticks fall on a fixed grid one period apart, so the rate
// does not drift; a tick that runs late moves the grid instead of firing a burst of
// catch-up ticks.
class TickSchedule {
  public:
    using Clock = std::chrono::steady_clock;

    // The first tick is due one period after now, as a window timer's first message.
    void Start(Clock::time_point now, std::chrono::milliseconds period);
    void Stop() { running_ = false; }
    bool Running() const { return running_; }
    bool Due(Clock::time_point now) const { return running_ && now >= due_; }
    // Called when the due tick runs: the next falls one period after this one, or one period
    // after now when the schedule has fallen a whole period behind.
    void Advance(Clock::time_point now);
    // How long to wait for the next tick; nullopt-like max() when stopped.
    Clock::duration UntilDue(Clock::time_point now) const;

  private:
    bool running_ = false;
    std::chrono::milliseconds period_{0};
    Clock::time_point due_{};
};

}  // namespace vireluna::headless
