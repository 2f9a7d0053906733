#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/logogen/Palette.h"

namespace vireluna::logogen {

// Writes a 16-colour, 4-bit, uncompressed bottom-up BMP with a plain 40-byte info header,
// the form a Windows bitmap resource takes. indices run row by row from the top.
// Written beside the target and renamed, so a failure leaves the old file as it was.
bool WriteIndexedBmp(const std::string& path, int width, int height,
                     const std::vector<std::uint8_t>& indices, const Palette& palette);

}  // namespace vireluna::logogen
