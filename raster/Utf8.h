#pragma once

#include <string_view>
#include <vector>

namespace vireluna::raster {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The code points of a UTF-8 string. A malformed or overlong sequence, a surrogate or a value
// past U+10FFFF becomes one U+FFFD per offending byte, so bad input still shows where it is.
std::vector<char32_t> DecodeUtf8(std::string_view text);

}  // namespace vireluna::raster
