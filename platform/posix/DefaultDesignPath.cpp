#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/SaverSettings.h"

namespace vireluna {
namespace {
constexpr const char* DataDirVariable = "VIRELUNA_DATA_DIR";
constexpr const char* LogoInDataDir = "/designs/logo.pxs";
constexpr const char* InstalledDataDirs[] = {"/usr/local/share/vireluna", "/usr/share/vireluna"};

bool IsFile(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}
}  // namespace

// The bundled logo: where the user points us, then as installed, then in the source tree,
// which is also the answer when none of them exists yet.
std::string DefaultDesignPath() {
    std::vector<std::string> candidates;
    if (const char* dataDir = std::getenv(DataDirVariable);
        dataDir != nullptr && *dataDir != '\0') {
        candidates.push_back(std::string(dataDir) + LogoInDataDir);
    }
    for (const char* dataDir : InstalledDataDirs) {
        candidates.push_back(std::string(dataDir) + LogoInDataDir);
    }
    candidates.push_back(std::string(VIRELUNA_RESOURCE_DIR) + LogoInDataDir);
    for (const std::string& candidate : candidates) {
        if (IsFile(candidate)) return candidate;
    }
    return candidates.back();
}

}  // namespace vireluna
