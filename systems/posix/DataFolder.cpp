#include "systems/posix/DataFolder.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace vireluna {
namespace {
constexpr const char* DataDirVariable = "VIRELUNA_DATA_DIR";
// From <prefix>/bin/program to <prefix>/share/vireluna: an unpacked package works wherever it is.
constexpr const char* DataDirBesideProgram = "../share/vireluna";
// From <prefix>/libexec/xscreensaver/vireluna-saver, where saver daemons look for modules.
constexpr const char* DataDirBesideModule = "../../share/vireluna";
constexpr const char* InstalledDataDirs[] = {"/usr/local/share/vireluna", "/usr/share/vireluna"};
constexpr const char* RunningProgram = "/proc/self/exe";

bool IsFile(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

std::vector<std::filesystem::path> DataFolders() {
    std::vector<std::filesystem::path> folders;
    if (const char* dataDir = std::getenv(DataDirVariable);
        dataDir != nullptr && *dataDir != '\0') {
        folders.emplace_back(dataDir);
    }
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink(RunningProgram, failed);
    if (!failed) {
        folders.push_back((program.parent_path() / DataDirBesideProgram).lexically_normal());
        folders.push_back((program.parent_path() / DataDirBesideModule).lexically_normal());
    }
    for (const char* dataDir : InstalledDataDirs) folders.emplace_back(dataDir);
    folders.emplace_back(VIRELUNA_RESOURCE_DIR);
    return folders;
}
}  // namespace

std::string FindDataFile(std::string_view name) {
    const std::vector<std::filesystem::path> folders = DataFolders();
    for (const std::filesystem::path& folder : folders) {
        const std::filesystem::path candidate = folder / name;
        if (IsFile(candidate)) return candidate.string();
    }
    return (folders.back() / name).string();
}

std::string DefaultLogoPath() {
    return FindDataFile("logo.bmp");
}

}  // namespace vireluna
