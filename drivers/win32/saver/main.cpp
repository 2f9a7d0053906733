// VirelunaLogo.scr: started by Windows with a switch; runs start-up, then the message loop
// for as long as the saver's window lives.
#include <windows.h>

#include "core/saver/SaverApp.h"
#include "drivers/win32/Win32SaverSystem.h"

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int) {
    vireluna::win32::Win32SaverSystem system(module);
    vireluna::CSaverApp app(system);
    if (!app.InitInstance(vireluna::win32::CommandLineArguments())) return 0;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;  // the quit code, always 0
}
