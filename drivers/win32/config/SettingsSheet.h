#pragma once

#include <windows.h>

#include <string_view>

#include "core/config/SaverSheet.h"
#include "drivers/win32/config/Win32Controls.h"

namespace vireluna::win32 {

// Shows the configuration sheet modally over the platform's property sheet, its pages made
// from the templates "File", "Option" and "Display" of the program's resources. boxes must
// be the sheet's own message boxes: they are given the sheet as their owner. Every Apply and
// OK that all displayed pages accept runs the sheet's store. True when the sheet was closed
// with OK.
bool ShowSettingsSheet(CSaverSheet& sheet, Win32MessageBoxes& boxes, HINSTANCE instance,
                       std::string_view utf8Caption);

}  // namespace vireluna::win32
