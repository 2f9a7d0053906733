#include "core/config/SheetTransfer.h"

namespace vireluna {

SheetValues ReadSheetValues(ProfileStore& profile, std::string_view defaultDesign) {
    SheetValues values;
    values.settings = ReadStoredSettings(profile);
    for (int k = 1; k <= MaxPlaylistEntries; ++k) {
        values.files[static_cast<std::size_t>(k - 1)] =
            profile.ReadString(FileListSection, PlaylistEntryName(k), k == 1 ? defaultDesign : "");
    }
    values.folder = profile.ReadString(FileListSection, FolderEntry, "");
    return values;
}

bool WriteSheetValues(const SheetValues& values, ProfileStore& profile) {
    bool written = true;
    for (const StoredSettingField& field : StoredSettingFields) {
        written &= profile.WriteInteger(ConfigSection, field.entry, values.settings.*field.member);
    }
    for (int k = 1; k <= MaxPlaylistEntries; ++k) {
        written &= profile.WriteString(FileListSection, PlaylistEntryName(k),
                                       values.files[static_cast<std::size_t>(k - 1)]);
    }
    written &= profile.WriteString(FileListSection, FolderEntry, values.folder);
    return written;
}

void PutIntoPages(const SheetValues& values, CSaverSheet& sheet) {
    sheet.m_pageList.m_strFiles = values.files;
    COptionPage& option = sheet.m_pageOption;
    option.m_nPenSize = values.settings.PenSize;
    option.m_nRotation = values.settings.Rotation;
    option.m_nDrawStep = values.settings.DrawStep;
    option.m_nDrawSpeed = values.settings.DrawSpeed;
    option.m_nReduction = values.settings.Reduction;
    option.m_nHoldTime = values.settings.HoldTime;
    sheet.m_pageDisplay.m_nMonitors = values.settings.Monitors;
    sheet.m_pageDisplay.m_nLook = values.settings.Look;
    sheet.m_pageDisplay.m_strFolder = values.folder;
    sheet.m_pageDisplay.m_nFit = values.settings.Fit;
    sheet.m_pageDisplay.m_nPlayback = values.settings.Playback;
}

bool StorePages(const CSaverSheet& sheet, ProfileStore& profile, MessageBoxes& boxes) {
    if (WriteSheetValues(TakeFromPages(sheet), profile)) return true;
    boxes.Show("The settings could not all be saved to " + profile.Location() + ".",
               ApplicationTitle, MessageIcon::Stop);
    return false;
}

SheetValues TakeFromPages(const CSaverSheet& sheet) {
    SheetValues values;
    values.files = sheet.m_pageList.m_strFiles;
    const COptionPage& option = sheet.m_pageOption;
    values.settings.PenSize = option.m_nPenSize;
    values.settings.Rotation = option.m_nRotation;
    values.settings.DrawStep = option.m_nDrawStep;
    values.settings.DrawSpeed = option.m_nDrawSpeed;
    values.settings.Reduction = option.m_nReduction;
    values.settings.HoldTime = option.m_nHoldTime;
    values.settings.Monitors = sheet.m_pageDisplay.m_nMonitors;
    values.settings.Look = sheet.m_pageDisplay.m_nLook;
    values.folder = sheet.m_pageDisplay.m_strFolder;
    values.settings.Fit = sheet.m_pageDisplay.m_nFit;
    values.settings.Playback = sheet.m_pageDisplay.m_nPlayback;
    return values;
}

}  // namespace vireluna
