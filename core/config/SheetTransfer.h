#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/config/SaverSheet.h"
#include "core/ports/ProfileStore.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {

// What the settings program moves between the profile and the sheet's pages.
struct SheetValues {
    StoredSettings settings;
    std::array<std::string, MaxPlaylistEntries> files;
    std::string folder;  // "Folder"; empty for none
    bool operator==(const SheetValues&) const = default;
};

// The "Config" settings as stored (out-of-range values unchanged, so that the pages show
// them as they are) and all twenty playlist entries; File01 defaults as the saver reads it.
SheetValues ReadSheetValues(ProfileStore& profile, std::string_view defaultDesign);
// The "Config" settings as integers, then File01..File20, the empty ones included, so that no
// entry of an older, longer list stays behind, then the folder. False when any write failed.
bool WriteSheetValues(const SheetValues& values, ProfileStore& profile);

void PutIntoPages(const SheetValues& values, CSaverSheet& sheet);
SheetValues TakeFromPages(const CSaverSheet& sheet);

// The settings program's store for the sheet: writes the pages' values, and when not all of
// them could be written, tells the user so rather than losing them silently.
bool StorePages(const CSaverSheet& sheet, ProfileStore& profile, MessageBoxes& boxes);

}  // namespace vireluna
