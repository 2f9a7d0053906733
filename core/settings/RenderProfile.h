#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/ProfileStore.h"

namespace vireluna {

// The profile as the render tool hands it to the saver window: the user's profile, with the
// settings given on the command line answered instead, and the given files as the playlist.
class RenderProfile final : public ProfileStore {
  public:
    // configOverrides: "Config" entry name to value. files: at most the playlist's size;
    // none leaves the profile's playlist. folder: the folder of designs instead of the
    // profile's; with no files it plays alone.
    RenderProfile(ProfileStore& base, std::map<std::string, std::int32_t> configOverrides,
                  const std::vector<std::string>& files,
                  const std::optional<std::string>& folder = std::nullopt);

    std::int32_t ReadInteger(std::string_view section, std::string_view entry,
                             std::int32_t defaultValue) override;
    std::string ReadString(std::string_view section, std::string_view entry,
                           std::string_view defaultValue) override;
    // The saver never writes, and neither does a render.
    bool WriteInteger(std::string_view, std::string_view, std::int32_t) override { return false; }
    bool WriteString(std::string_view, std::string_view, std::string_view) override {
        return false;
    }
    std::string Location() const override;

  private:
    ProfileStore& base_;
    std::map<std::string, std::int32_t, std::less<>> configOverrides_;
    std::map<std::string, std::string, std::less<>> playlistEntries_;
};

}  // namespace vireluna
