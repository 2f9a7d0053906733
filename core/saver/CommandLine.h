#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vireluna {

// True when the argument names the switch letter: "-" or "/" and the one character after it
// ("/c:1234" is c), or the whole argument without a prefix ("s", but not "save"); case ignored.
bool MatchSwitch(std::string_view argument, char letter);

// The host window's handle as the preview switch gives it: decimal, leading blanks and a sign
// allowed, read up to the first character that is not a digit. None when there is no digit
// at all or the number does not fit 64 bits.
std::optional<std::int64_t> ParseWindowHandle(std::string_view argument);

}  // namespace vireluna
