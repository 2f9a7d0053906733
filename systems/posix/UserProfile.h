#pragma once

#include <memory>
#include <string>

#include "core/ports/ProfileStore.h"

namespace vireluna {

// The user's INI profile, or the one at path when path is not empty. A missing file gives
// every default; a file that is there but cannot be read is refused with error set.
std::unique_ptr<ProfileStore> OpenUserProfile(const std::string& path, std::string& error);

}  // namespace vireluna
