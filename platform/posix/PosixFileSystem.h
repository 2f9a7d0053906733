#pragma once

#include "platform/FileSystem.h"
#include "platform/posix/PosixPathLimit.h"

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
};

}  // namespace vireluna
