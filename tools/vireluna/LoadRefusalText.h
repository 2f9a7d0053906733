#pragma once

#include <string>

namespace vireluna::cli {

// Why a file is not loaded, as the commands that read designs say it after its path.
std::string NotADesignFormatText();
std::string DamagedDesignText();

}  // namespace vireluna::cli
