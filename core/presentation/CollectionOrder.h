#pragma once

#include <cstdint>
#include <vector>

#include "core/ports/Random.h"

namespace vireluna {

// The largest collection a play order draws over: two draws give 30 random bits.
inline constexpr std::uint32_t MaxCollectionEntries = 1u << 30;

// A uniform choice among n values (1 <= n <= MaxCollectionEntries): one draw for up to 32,768
// values, two beyond, a draw that would favour some values being drawn again.
std::uint32_t UniformBelow(std::uint32_t n, Random& random);

// order becomes a uniform random order of 0 .. count-1: each position swaps with a uniformly
// chosen one not yet fixed, so the time is in proportion to count and every entry can be
// anywhere. count is limited to MaxCollectionEntries.
void ShuffleCollection(std::vector<std::uint32_t>& order, std::uint32_t count, Random& random);

}  // namespace vireluna
