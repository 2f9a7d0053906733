#include "core/ports/MemoryProfileStore.h"

#include "core/ports/ProfileText.h"

namespace vireluna {
namespace {
std::string Key(std::string_view section, std::string_view entry) {
    return FoldProfileName(section) + '\n' + FoldProfileName(entry);
}
}  // namespace

const std::string* MemoryProfileStore::Find(std::string_view section, std::string_view entry) {
    reads_.push_back({std::string(section), std::string(entry)});
    const auto found = values_.find(Key(section, entry));
    return found == values_.end() ? nullptr : &found->second;
}

std::int32_t MemoryProfileStore::ReadInteger(std::string_view section, std::string_view entry,
                                             std::int32_t defaultValue) {
    const std::string* text = Find(section, entry);
    if (text == nullptr) return defaultValue;
    return ParseProfileInteger(*text).value_or(defaultValue);
}

std::string MemoryProfileStore::ReadString(std::string_view section, std::string_view entry,
                                           std::string_view defaultValue) {
    const std::string* text = Find(section, entry);
    return text == nullptr ? std::string(defaultValue) : *text;
}

bool MemoryProfileStore::WriteInteger(std::string_view section, std::string_view entry,
                                      std::int32_t value) {
    return WriteString(section, entry, std::to_string(value));
}

bool MemoryProfileStore::WriteString(std::string_view section, std::string_view entry,
                                     std::string_view value) {
    if (refuseWrites_) return false;
    values_[Key(section, entry)] = std::string(value);
    return true;
}

}  // namespace vireluna
