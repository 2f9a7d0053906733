#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "core/ports/MessageBoxes.h"

namespace vireluna::win32 {

// The application title, string resource 57344 of the running program ("VirelunaLogo" when
// the program carries no such string).
std::string LoadApplicationTitle();

struct MessageBoxOptions {
    HWND owner = nullptr;  // the box is modal to this window; none: to the program
    bool topmost = false;  // shown above topmost windows, such as the full-screen saver
};

// A modal box with one OK button, in UTF-16 so any text reads right on any Windows locale.
// An empty caption means the application title. Returns when the user has closed the box.
void ShowMessageBox(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon,
                    const MessageBoxOptions& options = {});

// Message boxes modal to the owner once one is set (the settings sheet), else to the program.
class Win32MessageBoxes final : public MessageBoxes {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    void Show(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon) override {
        ShowMessageBox(utf8Text, utf8Caption, icon, {owner_, false});
    }

  private:
    HWND owner_ = nullptr;
};

}  // namespace vireluna::win32
