#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/ports/PathLimit.h"
#include "core/ports/Random.h"

namespace vireluna {

// The pause after a full-screen hold counts down from PauseStart in steps of PauseStep; the
// first value below PauseEndBelow ends it. That is 252, 249, ... 129: PauseTicks ticks.
inline constexpr std::int32_t PauseStart = 255;
inline constexpr std::int32_t PauseStep = 3;
inline constexpr std::int32_t PauseEndBelow = 130;
inline constexpr std::int32_t PauseTicks = (PauseStart - PauseEndBelow) / PauseStep + 1;

inline constexpr int LogoCornerCount = 4;
// A slot of a play or corner order not yet filled by a shuffle.
inline constexpr std::int32_t EmptySlot = -1;

// The counters that decide what a tick does. The first non-zero one wins, in this order.
struct CycleCounters {
    std::int32_t pauseCount = 0;
    std::int32_t holdTicks = 0;
    std::int32_t drawPosition = 0;  // next record of the placed stitches; 0: no design in progress
    std::int32_t colourIndex = 0;   // entry of the design's colours the pen uses
};

enum class CyclePhase { Pausing, Holding, Drawing, Start };

CyclePhase PhaseOf(const CycleCounters& counters);

// One pause tick. True when the pause has just ended and the window must be cleared.
bool StepPause(CycleCounters& counters);
// One hold tick. True when the hold has just ended.
bool StepHold(CycleCounters& counters);
// Full screen follows a hold with the pause.
void StartPause(CycleCounters& counters);
// The design's End record has been drawn: hold it, and start the next design afterwards.
// A negative hold time counts as none: it could never count down to 0.
void FinishDesign(CycleCounters& counters, std::int32_t holdTime);

// Fills every slot with EmptySlot, then the first count slots with a random permutation of
// 0 .. count-1, built by rejection: draw, keep the value if no filled slot holds it yet.
// count is limited to the slots there are.
void ShuffleOrder(std::span<std::int32_t> slots, std::int32_t count, Random& random);

// Moves to the next position of a play order of fileCount entries. True when the order has
// run out and must be shuffled anew; the position is then 0.
bool AdvancePlayPosition(std::int32_t& playPosition, std::int32_t fileCount);

// Copies path into currentPath with its terminating zero. A path beyond the platform's limit
// or that does not fit is refused rather than cut into the name of some other file:
// currentPath is then left empty.
bool CopyDesignPath(std::string_view path, PathLimit limit, std::span<char> currentPath);

}  // namespace vireluna
