#pragma once

#include <string>

#include "core/ports/ProfileStore.h"
#include "systems/posix/IniDocument.h"
#include "systems/posix/ProfileFile.h"

namespace vireluna {

// The profile as a UTF-8 INI file, one [section] per profile section. The file is read
// once, when the store is made; a missing file or entry gives the default. Each write
// reads the file afresh, changes the one entry and replaces the file whole, so no other
// entry, comment or unknown line is lost and a failed write leaves the file as it was.
class IniProfileStore final : public ProfileStore {
  public:
    // The per-user profile (DefaultProfilePath).
    IniProfileStore();
    explicit IniProfileStore(std::string path);

    // A stored integer that is not a clean 32-bit decimal number gives the default.
    std::int32_t ReadInteger(std::string_view section, std::string_view entry,
                             std::int32_t defaultValue) override;
    std::string ReadString(std::string_view section, std::string_view entry,
                           std::string_view defaultValue) override;
    bool WriteInteger(std::string_view section, std::string_view entry,
                      std::int32_t value) override;
    // False, with the file untouched, for a value the file cannot hold exactly
    // (see IniDocument::Set) or when the file cannot be read or written.
    bool WriteString(std::string_view section, std::string_view entry,
                     std::string_view value) override;
    std::string Location() const override { return path_; }
    // The text stored for an entry as it stands, or null when the entry is missing.
    const std::string* StoredText(std::string_view section, std::string_view entry) const {
        return document_.Find(section, entry);
    }

    ProfileFileState FileState() const { return state_; }
    // 0, or the number of the first line of the file that could not be understood.
    int FirstErrorLine() const { return document_.FirstErrorLine(); }
    // Reads the profile from text instead of the file; writes still go to the file.
    void LoadText(std::string text);

  private:
    std::string path_;
    ProfileFileState state_;
    IniDocument document_;
};

}  // namespace vireluna
