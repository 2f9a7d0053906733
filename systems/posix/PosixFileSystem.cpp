#include "systems/posix/PosixFileSystem.h"

#include <glob.h>
#include <sys/stat.h>

#include "systems/posix/DataFolder.h"
#include "systems/posix/PosixInputFile.h"

namespace vireluna {

std::unique_ptr<InputFile> PosixFileSystem::NewInputFile() {
    return std::make_unique<PosixInputFile>();
}

bool PosixFileSystem::DirectorySearchFinds(const std::string& utf8Pattern) {
    if (utf8Pattern.empty()) return false;
    // Only * and ? are wildcards, as on Windows: a name with brackets is just a name.
    if (utf8Pattern.find_first_of("*?") == std::string::npos) {
        // A FIFO, socket or device is no design nor a folder of them: not found, so start-up
        // names it instead of the saver trying to read it.
        struct stat status {};
        return ::stat(utf8Pattern.c_str(), &status) == 0 &&
               (S_ISREG(status.st_mode) || S_ISDIR(status.st_mode));
    }
    glob_t matches{};
    const int result = glob(utf8Pattern.c_str(), GLOB_NOSORT | GLOB_NOESCAPE, nullptr, &matches);
    const bool found = result == 0 && matches.gl_pathc > 0;
    globfree(&matches);
    return found;
}

std::string PosixFileSystem::DefaultDesignPath() {
    return FindDataFile("designs/logo.pxs");
}

}  // namespace vireluna
