#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/SaverSettings.h"

namespace vireluna {

// Only the first characters of a field are read.
inline constexpr int IntegerFieldReadCharacters = 31;

// The field's text as a decimal integer: blanks and tabs around, an optional sign, digits
// and nothing else; at most the first 31 characters count. A number beyond 32 bits is taken
// as the nearest 32-bit value, which every range refuses. Nothing when it is not an integer.
std::optional<std::int32_t> ParseIntegerField(std::string_view utf8Text);

inline constexpr std::string_view NotAnIntegerMessage = "整数を入力してください。";
// "%1 から %2 までの整数を入力してください。" with the range's ends.
std::string OutOfRangeMessage(SettingRange range);

}  // namespace vireluna
