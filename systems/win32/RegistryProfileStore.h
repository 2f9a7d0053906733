#pragma once

#include <string>
#include <string_view>

#include "core/ports/ProfileStore.h"

namespace vireluna::win32 {

// Where the saver's profile lives: HKEY_CURRENT_USER\Software\<company>\<application>.
inline constexpr std::string_view ProfileCompanyKey = "TessoranVireluna";

// The per-user profile in the registry, one key per section under
// HKEY_CURRENT_USER\Software\<company>\<application>. Integers are REG_DWORD values, strings
// REG_SZ. Reading a section creates its key when it is absent but never writes a value. A value
// of another type, of the wrong size or too long to be a setting gives the default.
class RegistryProfileStore final : public ProfileStore {
  public:
    RegistryProfileStore(std::string_view company, std::string_view application);

    std::int32_t ReadInteger(std::string_view section, std::string_view entry,
                             std::int32_t defaultValue) override;
    std::string ReadString(std::string_view section, std::string_view entry,
                           std::string_view defaultValue) override;
    bool WriteInteger(std::string_view section, std::string_view entry,
                      std::int32_t value) override;
    bool WriteString(std::string_view section, std::string_view entry,
                     std::string_view value) override;
    std::string Location() const override;

  private:
    std::wstring SectionPath(std::string_view section) const;

    std::wstring applicationPath_;  // Software\<company>\<application>
};

}  // namespace vireluna::win32
