#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/design/FormatRow.h"
#include "core/ports/FileSystem.h"
#include "core/ports/PathLimit.h"

namespace vireluna {

// Opens a design file exclusively and reads its colour and stitch counts: the two header words
// of the saver's own format, or what another format's content takes once read.
class DesignHeaderProbe {
  public:
    explicit DesignHeaderProbe(PathLimit pathLimit) : pathLimit_(pathLimit) {}
    virtual ~DesignHeaderProbe() = default;
    virtual DesignFileCounts Probe(const std::string& utf8Path) = 0;
    // The longest path the probe's files can have: the one the saver plays.
    PathLimit Limit() const { return pathLimit_; }

  private:
    PathLimit pathLimit_;
};

// The probe over the platform's files, whose longest path the platform tells.
class DesignFileHeaderProbe final : public DesignHeaderProbe {
  public:
    explicit DesignFileHeaderProbe(FileSystem& files)
        : DesignHeaderProbe(files.DesignPathLimit()), file_(files.NewInputFile()) {}
    DesignFileCounts Probe(const std::string& utf8Path) override;

  private:
    std::unique_ptr<InputFile> file_;
};

// The answer of a check: accepted, or refused with the one message the user sees.
struct DesignListVerdict {
    bool accepted = true;
    std::string message;
};

inline constexpr std::string_view EmptyListMessage = "No files were in the list.";
inline constexpr std::string_view FileNotFoundMessage = "File not found.\n\n";
// A file too short to hold both counts cannot be tested, so it is refused as unreadable.
inline constexpr std::string_view FileTooShortMessage =
    "Could not read the file because it is too short to be a design file (less than 32 "
    "bytes).\n\n";
inline constexpr std::string_view TooManyColoursMessage =
    "Could not process the file because it contains too many color changes. (Maximum 72)\n";
inline constexpr std::string_view TooManyStitchesMessage =
    "Could not read the file because it contains too many stitches. (maximum 64,000 "
    "stitches)\n";

// "Could not read the file because it is not a design format this program reads (...).\n\n"
// with the names of the formats read.
std::string NotADesignFormatMessage();
// "Could not read the file because it is not a design file in a format the saver reads (...),
// or it is damaged.\n\n" with the names of the formats read.
std::string FileUnreadableMessage();
// "Too many files in the list, ..." with the playlist's limit.
std::string TooManyFilesMessage();
// "Could not read the file because its path is too long. (maximum ...)\n\n" with the limit.
std::string PathTooLongMessage(PathLimit limit);

// The header test of every file in list order: stops at the first file whose path is beyond
// the probe's limit or that cannot be read; else names every file over the colour limit, or
// else every file over the stitch limit.
DesignListVerdict CheckDesignFileHeaders(const std::vector<std::string>& paths,
                                         DesignHeaderProbe& probe);

// The length test: 1 to 20 entries.
DesignListVerdict CheckDesignListLength(std::size_t entryCount);

// The whole test a list passes before it becomes the playlist: 1 to 20 entries (no file is
// opened otherwise), then the header test.
DesignListVerdict CheckDesignList(const std::vector<std::string>& paths, DesignHeaderProbe& probe);

}  // namespace vireluna
