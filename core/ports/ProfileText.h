#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vireluna {

// A stored integer as text: optional sign and decimal digits only, within 32 bits.
// Anything else (blank, "12abc", "0x10", 99999999999) is not an integer.
std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

// Section and entry names match regardless of ASCII case, as in the Windows profile.
std::string FoldProfileName(std::string_view name);

}  // namespace vireluna
