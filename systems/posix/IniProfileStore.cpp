#include "systems/posix/IniProfileStore.h"

#include <utility>

#include "core/ports/ProfileText.h"
#include "systems/posix/ProfileLocation.h"

namespace vireluna {

IniProfileStore::IniProfileStore() : IniProfileStore(DefaultProfilePath()) {}

IniProfileStore::IniProfileStore(std::string path) : path_(std::move(path)) {
    std::string text;
    state_ = ReadProfileFile(path_, text);
    document_ = IniDocument(std::move(text));
}

void IniProfileStore::LoadText(std::string text) {
    state_ = ProfileFileState::Read;
    document_ = IniDocument(std::move(text));
}

std::int32_t IniProfileStore::ReadInteger(std::string_view section, std::string_view entry,
                                          std::int32_t defaultValue) {
    const std::string* text = document_.Find(section, entry);
    if (text == nullptr) return defaultValue;
    return ParseProfileInteger(*text).value_or(defaultValue);
}

std::string IniProfileStore::ReadString(std::string_view section, std::string_view entry,
                                        std::string_view defaultValue) {
    const std::string* text = document_.Find(section, entry);
    return text == nullptr ? std::string(defaultValue) : *text;
}

bool IniProfileStore::WriteInteger(std::string_view section, std::string_view entry,
                                   std::int32_t value) {
    return WriteString(section, entry, std::to_string(value));
}

bool IniProfileStore::WriteString(std::string_view section, std::string_view entry,
                                  std::string_view value) {
    // Start from the file as it is now, so that changes made since we read it are kept.
    std::string text;
    const ProfileFileState current = ReadProfileFile(path_, text);
    if (current == ProfileFileState::Unreadable) return false;
    IniDocument changed(std::move(text));
    if (!changed.Set(section, entry, value)) return false;
    if (!ReplaceProfileFile(path_, changed.Text())) return false;
    state_ = ProfileFileState::Read;
    document_ = std::move(changed);
    return true;
}

}  // namespace vireluna
