#pragma once

#include "core/ports/FileSystem.h"

namespace vireluna::win32 {

// True for a path that names a pipe or a device, never a design file: one in the device
// namespace (\\.\pipe\name, \\.\COM1; \\.\C:\ is a drive path) or a reserved device name
// (NUL, CON, COM1.pxs) in any folder.
bool NamesADevice(const std::string& utf8Path);

// The files of Windows, by UTF-16 names.
class Win32FileSystem final : public FileSystem {
  public:
    std::unique_ptr<InputFile> NewInputFile() override;
    // A device or a path in the device namespace is not found.
    bool DirectorySearchFinds(const std::string& utf8Pattern) override;
    // Where the installer puts the bundled logo design.
    std::string DefaultDesignPath() override;
    PathLimit DesignPathLimit() const override;
    // Folders that are links (junctions, symbolic links) are not entered.
    bool ListFilesBelow(const std::string& utf8Folder,
                        const std::function<bool(const std::string& utf8Path)>& found) override;
};

}  // namespace vireluna::win32
