#pragma once

#include "platform/FileSystem.h"
#include "platform/win32/WindowsPathLimit.h"

namespace vireluna::win32 {

// The files of Windows, by UTF-16 names.
class Win32FileSystem final : public FileSystem {
  public:
    std::unique_ptr<InputFile> NewInputFile() override;
    bool DirectorySearchFinds(const std::string& utf8Pattern) override;
    // Where the installer puts the bundled logo design.
    std::string DefaultDesignPath() override;
    PathLimit DesignPathLimit() const override { return WindowsPathLimit; }
};

}  // namespace vireluna::win32
