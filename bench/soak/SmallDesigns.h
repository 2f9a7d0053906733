#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vireluna::soak {

// Writes a few small designs (tens of stitches, several threads, jumps) into folder, for a
// run that loads a new design every few hundred ticks. Gives their paths, or none when a
// file could not be written.
std::vector<std::string> WriteSmallDesigns(const std::filesystem::path& folder);

}  // namespace vireluna::soak
