#include "app/x11/DataFiles.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/raster/RasterSurface.h"

namespace vireluna::saver {
namespace {
constexpr const char* DataDirVariable = "VIRELUNA_DATA_DIR";
constexpr const char* EmblemFile = "/logo.bmp";
}  // namespace

std::string EmblemPath() {
    std::vector<std::string> candidates;
    if (const char* dataDir = std::getenv(DataDirVariable);
        dataDir != nullptr && *dataDir != '\0') {
        candidates.push_back(std::string(dataDir) + EmblemFile);
    }
    candidates.push_back(std::string(VIRELUNA_INSTALLED_DATA_DIR) + EmblemFile);
    candidates.push_back(raster::DefaultLogoPath());
    for (const std::string& candidate : candidates) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(candidate, ignored)) return candidate;
    }
    return candidates.back();
}

}  // namespace vireluna::saver
