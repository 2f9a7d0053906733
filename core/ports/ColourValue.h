#pragma once

#include <cstdint>

namespace vireluna {

// A colour as the saver draws it, 0x02BBGGRR: red in the lowest byte, and the flag byte of a
// palette-relative colour on top.
using ColourValue = std::uint32_t;

}  // namespace vireluna
