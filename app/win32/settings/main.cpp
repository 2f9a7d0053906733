// VirelunaSettings.exe: the saver's settings in the configuration sheet, read from the
// profile before it opens and written back by every accepted Apply or OK.
#include <windows.h>

#include <commctrl.h>

#include "config/SaverSheet.h"
#include "config/SheetTransfer.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/RegistryProfileStore.h"
#include "platform/win32/WindowsPathLimit.h"
#include "platform/win32/config/SettingsSheet.h"
#include "platform/win32/config/Win32Controls.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace vireluna;
    INITCOMMONCONTROLSEX classes{sizeof classes,
                                 ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);

    const std::string title = win32::LoadApplicationTitle();
    win32::RegistryProfileStore profile(win32::ProfileCompanyKey, title);
    win32::Win32MessageBoxes boxes;
    DesignFileHeaderProbe probe(win32::WindowsPathLimit);
    CSaverSheet sheet(boxes, probe);
    PutIntoPages(ReadSheetValues(profile), sheet);
    // Apply and OK store at once; Cancel keeps what an Apply before it stored.
    sheet.SetStore([&] { return StorePages(sheet, profile, boxes); });
    win32::ShowSettingsSheet(sheet, boxes, instance, title);
    return 0;
}
