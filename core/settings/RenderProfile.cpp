#include "core/settings/RenderProfile.h"

#include "core/settings/SaverSettings.h"

namespace vireluna {

RenderProfile::RenderProfile(ProfileStore& base,
                             std::map<std::string, std::int32_t> configOverrides,
                             const std::vector<std::string>& files,
                             const std::optional<std::string>& folder)
    : base_(base), configOverrides_(configOverrides.begin(), configOverrides.end()) {
    if (folder) playlistEntries_[std::string(FolderEntry)] = *folder;
    // Every entry is answered here, so nothing of the user's own playlist leaks in; the one
    // after the last file is empty and ends the list. No files: the profile's own playlist,
    // unless a folder is given, which then plays alone.
    if (files.empty() && !folder) return;
    for (int k = 1; k <= MaxPlaylistEntries; ++k) {
        const auto index = static_cast<std::size_t>(k - 1);
        playlistEntries_[PlaylistEntryName(k)] = index < files.size() ? files[index] : "";
    }
}

std::int32_t RenderProfile::ReadInteger(std::string_view section, std::string_view entry,
                                        std::int32_t defaultValue) {
    if (section == ConfigSection) {
        if (const auto found = configOverrides_.find(entry); found != configOverrides_.end()) {
            return found->second;
        }
    }
    return base_.ReadInteger(section, entry, defaultValue);
}

std::string RenderProfile::ReadString(std::string_view section, std::string_view entry,
                                      std::string_view defaultValue) {
    if (section == FileListSection) {
        if (const auto found = playlistEntries_.find(entry); found != playlistEntries_.end()) {
            return found->second;
        }
    }
    return base_.ReadString(section, entry, defaultValue);
}

std::string RenderProfile::Location() const {
    return base_.Location() + " (with the command line's settings and files)";
}

}  // namespace vireluna
