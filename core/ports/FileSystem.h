#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/ports/InputFile.h"
#include "core/ports/PathLimit.h"

namespace vireluna {

// The files of the system the core runs on; each backend has one, and whoever reaches files
// is given it.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // A closed file to open and read. Made once by a reader that keeps it, so that opening
    // and reading a design later allocate nothing.
    virtual std::unique_ptr<InputFile> NewInputFile() = 0;
    // True when a directory search for the text finds at least one entry: an existing file or
    // folder of that name, or, for a text with the wildcards * and ?, anything it matches.
    virtual bool DirectorySearchFinds(const std::string& utf8Pattern) = 0;
    // The first playlist entry of a profile that names none.
    virtual std::string DefaultDesignPath() = 0;
    // The longest design path the file functions open.
    virtual PathLimit DesignPathLimit() const = 0;
    // Calls found with the full path of every file in the folder and in its sub-folders, the
    // names of each folder in byte order, so that one seed plays one order (WalkFolder). A
    // sub-folder that cannot be read, an entry that vanishes meanwhile, a link back into a
    // folder already walked and one onto the top of a file system cost only themselves. found
    // returns false to end the walk early. False when the folder itself cannot be read: it
    // does not exist, is no folder, or is closed to us.
    virtual bool ListFilesBelow(const std::string& utf8Folder,
                                const std::function<bool(const std::string& utf8Path)>& found) = 0;
};

}  // namespace vireluna
