#pragma once

#include <array>
#include <string>

#include "config/SaverSheet.h"
#include "platform/ProfileStore.h"
#include "shell/SaverSettings.h"

namespace vireluna {

// What the settings program moves between the profile and the sheet's pages.
struct SheetValues {
    StoredSettings settings;
    std::array<std::string, MaxPlaylistEntries> files;
    bool operator==(const SheetValues&) const = default;
};

// The six settings as stored (out-of-range values unchanged, so that the page shows them
// as they are) and all twenty playlist entries; File01 defaults as the saver reads it.
SheetValues ReadSheetValues(ProfileStore& profile, std::string_view defaultDesign);
// The six settings as integers, then File01..File20, the empty ones included, so that no
// entry of an older, longer list stays behind. False when any write failed.
bool WriteSheetValues(const SheetValues& values, ProfileStore& profile);

void PutIntoPages(const SheetValues& values, CSaverSheet& sheet);
SheetValues TakeFromPages(const CSaverSheet& sheet);

}  // namespace vireluna
