#pragma once

#include "core/ports/FileSystem.h"
#include "systems/posix/PosixPathLimit.h"

namespace vireluna {

// The files of a POSIX system; the bundled designs come from the data folders.
class PosixFileSystem final : public FileSystem {
  public:
    std::unique_ptr<InputFile> NewInputFile() override;
    // Backslashes are name characters, as on Windows; a name without wildcards must be a
    // file or a folder.
    bool DirectorySearchFinds(const std::string& utf8Pattern) override;
    // The bundled logo design, as installed or in the source tree.
    std::string DefaultDesignPath() override;
    PathLimit DesignPathLimit() const override { return PosixPathLimit; }
    // Links are followed, each folder walked once however many links lead to it.
    bool ListFilesBelow(const std::string& utf8Folder,
                        const std::function<bool(const std::string& utf8Path)>& found) override;
};

}  // namespace vireluna
