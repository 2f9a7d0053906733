#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/ports/FileSystem.h"
#include "tests/core/TestPathLimit.h"
#ifdef _WIN32
#include "systems/win32/Win32FileSystem.h"
#else
#include "systems/posix/PosixFileSystem.h"
#endif

namespace vireluna::fakes {

// The files of the system the tests run on, through the backend the programs use, with
// Windows' path limit on every platform so that the core tests count UTF-16 units everywhere.
class SystemFileSystem : public FileSystem {
  public:
    std::unique_ptr<InputFile> NewInputFile() override { return system_.NewInputFile(); }
    bool DirectorySearchFinds(const std::string& utf8Pattern) override {
        return system_.DirectorySearchFinds(utf8Pattern);
    }
    std::string DefaultDesignPath() override { return system_.DefaultDesignPath(); }
    PathLimit DesignPathLimit() const override { return testing::TestPathLimit; }
    bool ListFilesBelow(const std::string& utf8Folder,
                        const std::function<bool(const std::string&)>& found) override {
        return system_.ListFilesBelow(utf8Folder, found);
    }

  private:
#ifdef _WIN32
    win32::Win32FileSystem system_;
#else
    PosixFileSystem system_;
#endif
};

// A path as the programs hold it, in UTF-8, whatever the platform's own form.
inline std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

}  // namespace vireluna::fakes
