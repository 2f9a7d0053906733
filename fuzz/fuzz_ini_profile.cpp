// Arbitrary bytes as a profile file: reading what the saver reads must not fail, and
// changing one entry must read back exactly while every other entry stays as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/settings/SaverSettings.h"
#include "systems/posix/IniDocument.h"
#include "systems/posix/IniProfileStore.h"

namespace {

using vireluna::ConfigSection;
using vireluna::FileListSection;
using vireluna::IniDocument;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Every entry the saver reads but the changed one reads as before.
void RequireSameSaverEntries(const IniDocument& before, const IniDocument& after,
                             std::string_view changedSection, std::string_view changedEntry) {
    auto same = [&](std::string_view section, std::string_view entry) {
        if (section == changedSection && entry == changedEntry) return;
        const std::string* old = before.Find(section, entry);
        const std::string* now = after.Find(section, entry);
        Require((old == nullptr) == (now == nullptr));
        Require(old == nullptr || *old == *now);
    };
    for (const auto& field : vireluna::StoredSettingFields) same(ConfigSection, field.entry);
    for (int k = 1; k <= vireluna::MaxPlaylistEntries; ++k) {
        same(FileListSection, vireluna::PlaylistEntryName(k));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    vireluna::IniProfileStore store("");
    store.LoadText(text);
    vireluna::SaverSettings settings{};
    vireluna::Playlist playlist;
    vireluna::LoadSaverSettings(store, "logo.pxs", settings, playlist);
    Require(playlist.fileCount >= (playlist.folder.empty() ? 1 : 0) &&
            playlist.fileCount <= vireluna::MaxPlaylistEntries);
    Require(settings.timerPeriod > 0 && settings.stitchesPerTick > 0);

    // Write a value taken from the input into one entry, as the settings program would.
    const IniDocument before(text);
    IniDocument after = before;
    const bool inConfig = size % 2 == 0;
    const std::string_view section = inConfig ? ConfigSection : FileListSection;
    const std::string entry =
        inConfig
            ? std::string(
                  vireluna::StoredSettingFields[size / 2 % vireluna::StoredSettingFields.size()]
                      .entry)
            : vireluna::PlaylistEntryName(1 + size / 2 % vireluna::MaxPlaylistEntries);
    const std::string value = text.substr(0, size / 2);
    if (after.Set(section, entry, value)) {
        const IniDocument reread(after.Text());
        Require(reread.Find(section, entry) != nullptr);
        Require(*reread.Find(section, entry) == value);
        RequireSameSaverEntries(before, reread, section, entry);
    }
    return 0;
}
