#pragma once

#include <windows.h>

#include "core/config/PageControls.h"

namespace vireluna::win32 {

// The common file-open dialog of the design list: several existing files at once, returned
// as full paths in the dialog's order.
class Win32FileOpenDialog final : public FileOpenDialog {
  public:
    // Characters the chosen names may take, the terminating zeros included.
    static constexpr int ResultBufferCharacters = 10240;

    void SetOwner(HWND owner) { owner_ = owner; }
    FileChoice Choose() override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace vireluna::win32
