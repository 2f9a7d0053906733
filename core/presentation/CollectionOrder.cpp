#include "core/presentation/CollectionOrder.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace vireluna {
namespace {

constexpr std::uint32_t OneDrawValues = Random::MaxValue + 1u;  // 32,768
constexpr int BitsPerDraw = 15;

}  // namespace

std::uint32_t UniformBelow(std::uint32_t n, Random& random) {
    if (n <= 1) return 0;
    const bool oneDraw = n <= OneDrawValues;
    const std::uint32_t values = oneDraw ? OneDrawValues : MaxCollectionEntries;
    // The largest multiple of n the draws reach: below it every value is equally likely.
    const std::uint32_t fair = values - values % n;
    for (;;) {
        std::uint32_t r = static_cast<std::uint32_t>(random.Next());
        if (!oneDraw) r = (r << BitsPerDraw) | static_cast<std::uint32_t>(random.Next());
        if (r < fair) return r % n;
    }
}

void ShuffleCollection(std::vector<std::uint32_t>& order, std::uint32_t count, Random& random) {
    count = std::min(count, MaxCollectionEntries);
    order.resize(count);
    std::iota(order.begin(), order.end(), 0u);
    for (std::uint32_t i = count; i > 1; --i) {
        std::swap(order[i - 1], order[UniformBelow(i, random)]);
    }
}

}  // namespace vireluna
