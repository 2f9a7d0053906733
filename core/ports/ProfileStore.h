#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vireluna {

// The per-user profile: section, entry, one value. A missing section or entry
// gives the default; an entry holding the empty string is not missing.
class ProfileStore {
  public:
    virtual ~ProfileStore() = default;
    virtual std::int32_t ReadInteger(std::string_view section, std::string_view entry,
                                     std::int32_t defaultValue) = 0;
    virtual std::string ReadString(std::string_view section, std::string_view entry,
                                   std::string_view defaultValue) = 0;
    // Only the settings program writes; the saver never does.
    virtual bool WriteInteger(std::string_view section, std::string_view entry,
                              std::int32_t value) = 0;
    virtual bool WriteString(std::string_view section, std::string_view entry,
                             std::string_view value) = 0;
    // Where the profile lives, for people.
    virtual std::string Location() const = 0;
};

}  // namespace vireluna
