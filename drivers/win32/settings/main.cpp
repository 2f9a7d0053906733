// VirelunaSettings.exe: the saver's settings in the configuration sheet, read from the
// profile before it opens and written back by every accepted Apply or OK.
#include <windows.h>

#include <commctrl.h>

#include "core/config/SaverSheet.h"
#include "core/config/SheetTransfer.h"
#include "drivers/win32/MessageBox.h"
#include "drivers/win32/config/SettingsSheet.h"
#include "drivers/win32/config/Win32Controls.h"
#include "systems/win32/RegistryProfileStore.h"
#include "systems/win32/Win32FileSystem.h"

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
    // Apply and OK store at once; Cancel keeps what an Apply before it stored.
    sheet.SetStore([&] { return StorePages(sheet, profile, boxes); });
    win32::ShowSettingsSheet(sheet, boxes, instance, title);
    return 0;
}
