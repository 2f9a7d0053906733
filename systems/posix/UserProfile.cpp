#include "systems/posix/UserProfile.h"

#include "systems/posix/IniProfileStore.h"

namespace vireluna {

std::unique_ptr<ProfileStore> OpenUserProfile(const std::string& path, std::string& error) {
    auto profile = path.empty() ? std::make_unique<IniProfileStore>()
                                : std::make_unique<IniProfileStore>(path);
    if (profile->FileState() == ProfileFileState::Unreadable) {
        error = "cannot read the profile '" + profile->Location() + "'";
        return nullptr;
    }
    return profile;
}

}  // namespace vireluna
