#include <array>

#include "core/design/FormatRow.h"
#include "core/design/ThreadPalette.h"

namespace vireluna {
namespace {

// Thread numbers of the palette, well apart from each other and from the light blue field:
// blue, red, green, orange, purple, black, yellow, dark brown, pink, peacock green.
constexpr std::array<std::int32_t, 10> DefaultThreadNumbers = {12, 10, 6, 4, 8, 1, 3, 14, 9, 49};

}  // namespace

ColourValue DefaultBlockColour(std::int32_t block) {
    const auto count = static_cast<std::int32_t>(DefaultThreadNumbers.size());
    const std::int32_t entry = block >= 0 ? block % count : 0;
    return ThreadPalette().ColourForNumber(DefaultThreadNumbers[entry]);
}

}  // namespace vireluna
