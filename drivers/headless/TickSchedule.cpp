#include "drivers/headless/TickSchedule.h"

namespace vireluna::headless {

void TickSchedule::Start(Clock::time_point now, std::chrono::milliseconds period) {
    running_ = true;
    period_ = period;
    due_ = now + period;
}

void TickSchedule::Advance(Clock::time_point now) {
    due_ += period_;
    if (due_ <= now) due_ = now + period_;
}

TickSchedule::Clock::duration TickSchedule::UntilDue(Clock::time_point now) const {
    if (!running_) return Clock::duration::max();
    return due_ > now ? due_ - now : Clock::duration::zero();
}

}  // namespace vireluna::headless
