#pragma once

#include <windows.h>

namespace vireluna::win32 {

// The About box, dialog 100 of the module, modal; returns when OK, Esc or the close box has
// dismissed it.
void ShowAboutBox(HINSTANCE module, HWND owner = nullptr);

}  // namespace vireluna::win32
