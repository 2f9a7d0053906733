#pragma once

#include <cstdint>

#include "core/settings/SaverSettings.h"

namespace vireluna {

// The most ticks the cycle can take to draw one design with these settings: every drawing
// tick passes at least one record, and machine playback stops at most once before each of
// those ticks, for a travel and a thread change counted in ticks of the shortest period.
// A design not done within it means the cycle is stuck.
std::int64_t MostTicksForOneDesign(Playback playback);

}  // namespace vireluna
