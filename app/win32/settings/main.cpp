// VirelunaSettings.exe: the saver's settings in the configuration sheet, read from the
// profile before it opens and written back only when it is closed with OK.
#include <windows.h>

#include <commctrl.h>

#include "config/SaverSheet.h"
#include "config/SheetTransfer.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/RegistryProfileStore.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/config/SettingsSheet.h"
#include "platform/win32/config/Win32Controls.h"

namespace {
constexpr int ExitNotSaved = 1;
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace vireluna;
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);

    const std::string title = win32::LoadApplicationTitle();
    win32::RegistryProfileStore profile(win32::ProfileCompanyKey, title);
    win32::Win32MessageBoxes boxes;
    win32::Win32FileSystem files;
    DesignFileHeaderProbe probe(files);
    CSaverSheet sheet(boxes, probe);
    PutIntoPages(ReadSheetValues(profile, files.DefaultDesignPath()), sheet);
    if (!win32::ShowSettingsSheet(sheet, boxes, instance, title)) return 0;
    if (!WriteSheetValues(TakeFromPages(sheet), profile)) {
        // Whatever was written is shown to the user rather than lost silently.
        win32::ShowMessageBox("The settings could not all be saved to " + profile.Location() + ".",
                              title, MessageIcon::Stop);
        return ExitNotSaved;
    }
    return 0;
}
