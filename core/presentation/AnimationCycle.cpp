#include "core/presentation/AnimationCycle.h"

#include <algorithm>

namespace vireluna {

CyclePhase PhaseOf(const CycleCounters& counters) {
    if (counters.pauseCount != 0) return CyclePhase::Pausing;
    if (counters.holdTicks != 0) return CyclePhase::Holding;
    if (counters.drawPosition != 0) return CyclePhase::Drawing;
    return CyclePhase::Start;
}

bool StepPause(CycleCounters& counters) {
    counters.pauseCount -= PauseStep;
    if (counters.pauseCount >= PauseEndBelow) return false;
    counters.pauseCount = 0;
    return true;
}

bool StepHold(CycleCounters& counters) {
    counters.holdTicks -= 1;
    return counters.holdTicks == 0;
}

void StartPause(CycleCounters& counters) {
    counters.pauseCount = PauseStart;
}

void FinishDesign(CycleCounters& counters, std::int32_t holdTime) {
    counters.holdTicks = std::max<std::int32_t>(holdTime, 0);
    counters.drawPosition = 0;
    counters.colourIndex = 0;
}

void ShuffleOrder(std::span<std::int32_t> slots, std::int32_t count, Random& random) {
    std::fill(slots.begin(), slots.end(), EmptySlot);
    const auto wanted = static_cast<std::size_t>(
        std::clamp<std::int32_t>(count, 0, static_cast<std::int32_t>(slots.size())));
    std::size_t filled = 0;
    while (filled < wanted) {
        const std::int32_t value = random.Choose(static_cast<int>(wanted));
        const auto taken = slots.begin() + static_cast<std::ptrdiff_t>(filled);
        if (std::find(slots.begin(), taken, value) == taken) slots[filled++] = value;
    }
}

bool AdvancePlayPosition(std::int32_t& playPosition, std::int32_t fileCount) {
    if (playPosition == fileCount - 1) {
        playPosition = 0;
        return true;
    }
    ++playPosition;
    return false;
}

bool CopyDesignPath(std::string_view path, PathLimit limit, std::span<char> currentPath) {
    if (currentPath.empty()) return false;
    const bool fits = path.size() < currentPath.size() && PathWithinLimit(path, limit);
    if (!fits) {
        currentPath[0] = '\0';
        return false;
    }
    std::copy(path.begin(), path.end(), currentPath.begin());
    currentPath[path.size()] = '\0';
    return true;
}

}  // namespace vireluna
