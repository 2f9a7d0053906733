#pragma once

#include <windows.h>

#include "core/config/PageControls.h"

namespace vireluna::win32 {

// The system's folder picker, for the folder of designs: folders of the file system only.
class Win32FolderDialog final : public FolderDialog {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    std::optional<std::string> Choose(std::string_view utf8Current) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace vireluna::win32
