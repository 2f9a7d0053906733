#include <array>
#include <cstddef>

#include "core/design/FormatRow.h"
#include "core/design/ThreadPalette.h"

namespace vireluna {
namespace {

// Thread numbers of the palette, well apart from each other and from the light blue field:
// blue, red, green, orange, purple, black, yellow, dark brown, pink, peacock green.
constexpr std::array<std::int32_t, 10> DefaultThreadNumbers = {12, 10, 6, 4, 8, 1, 3, 14, 9, 49};

}  // namespace

ColourValue DefaultBlockColour(std::int32_t block) {
    // Looked up in the palette once: a load asks for one at every colour change.
    static const std::array<ColourValue, DefaultThreadNumbers.size()> colours = [] {
        std::array<ColourValue, DefaultThreadNumbers.size()> found{};
        for (std::size_t i = 0; i < found.size(); ++i) {
            found[i] = ThreadPalette().ColourForNumber(DefaultThreadNumbers[i]);
        }
        return found;
    }();
    const auto count = static_cast<std::int32_t>(colours.size());
    return colours[static_cast<std::size_t>(block >= 0 ? block % count : 0)];
}

}  // namespace vireluna
