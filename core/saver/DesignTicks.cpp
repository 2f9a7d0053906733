#include "core/saver/DesignTicks.h"

#include "core/design/DesignLimits.h"
#include "core/presentation/MachinePlayback.h"

namespace vireluna {

std::int64_t MostTicksForOneDesign(Playback playback) {
    constexpr std::int64_t ExactTicks = 2 * static_cast<std::int64_t>(MaxStitchRecords);
    if (playback != Playback::Machine) return ExactTicks;
    constexpr std::int64_t ShortestPeriod = TimerUnitMilliseconds;
    return ExactTicks * (1 + LongestTravelMilliseconds / ShortestPeriod +
                         ThreadChangeMilliseconds / ShortestPeriod);
}

}  // namespace vireluna
