#include "systems/posix/ProfileLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace vireluna {
namespace {
constexpr const char* ProfileInConfigDir = "/TessoranVireluna/VirelunaLogo.ini";
constexpr const char* ConfigDirInHome = "/.config";
constexpr std::size_t PasswdBufferBytes = 16384;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string HomeFolder() {
    if (std::string home = Variable("HOME"); !home.empty()) return home;
    std::vector<char> buffer(PasswdBufferBytes);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}
}  // namespace

std::string DefaultProfilePath() {
    if (std::string config = Variable("XDG_CONFIG_HOME");
        !config.empty() && config.front() == '/') {
        return config + ProfileInConfigDir;
    }
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    return home + ConfigDirInHome + ProfileInConfigDir;
}

}  // namespace vireluna
