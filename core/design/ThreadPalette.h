#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/ports/ColourValue.h"

namespace vireluna {

inline constexpr ColourValue PaletteRelativeFlag = 0x02000000;
inline constexpr int ThreadPaletteRows = 83;

struct ThreadColour {
    std::int32_t row;
    std::int32_t number;
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    std::string_view name;
    std::string_view shortName;
    std::string_view code;  // three-digit catalogue code
};

class ThreadPalette {
  public:
    virtual ~ThreadPalette() = default;
    static const std::array<ThreadColour, ThreadPaletteRows>& Rows();
    // The row's colour as 0x02BBGGRR, or black (0x02000000) for a number no row holds.
    ColourValue ColourForNumber(std::int32_t number) const;
    // The row holding number, or nullptr.
    const ThreadColour* Find(std::int32_t number) const;
};

}  // namespace vireluna
