#include "core/config/DesignListCheck.h"

#include <cstddef>
#include <cstdio>

#include "core/design/DesignFileLoader.h"
#include "core/design/DesignLimits.h"
#include "core/design/formats/PxsLayout.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {
namespace {

static_assert(HeaderCountsBytes == 32, "FileTooShortMessage names the header size");
static_assert(MaxDesignColours == 72 && MaxStitchRecords == 64000,
              "TooManyColoursMessage and TooManyStitchesMessage name the limits");

std::string PathList(std::string_view heading, const std::vector<std::string>& paths) {
    std::string message(heading);
    for (const std::string& path : paths) message += path + "\n";
    return message;
}

}  // namespace

DesignFileCounts DesignFileHeaderProbe::Probe(const std::string& utf8Path) {
    InputFile& file = *file_;
    if (!file.OpenExclusive(utf8Path.c_str())) return {DesignFileCounts::Outcome::NotFound};
    const DesignFileCounts counts = CountDesignFile(file, utf8Path);
    // Not held open: the user may edit or replace the file while the sheet is shown.
    file.Close();
    return counts;
}

std::string NotADesignFormatMessage() {
    return "Could not read the file because it is not a design format this program reads (" +
           ReadableFormatNames() + ").\n\n";
}

std::string FileUnreadableMessage() {
    return "Could not read the file because it is not a design file in a format the saver reads "
           "(" +
           ReadableFormatNames() + "), or it is damaged.\n\n";
}

std::string TooManyFilesMessage() {
    char text[96];
    std::snprintf(text, sizeof text,
                  "Too many files in the list, reduce number of file. (maximum %d files).",
                  MaxPlaylistEntries);
    return text;
}

std::string PathTooLongMessage(PathLimit limit) {
    const char* unit = limit.unit == PathLimit::Unit::Bytes ? "bytes" : "characters";
    char text[128];
    std::snprintf(text, sizeof text,
                  "Could not read the file because its path is too long. (maximum %d %s)\n\n",
                  limit.longest, unit);
    return text;
}

DesignListVerdict CheckDesignFileHeaders(const std::vector<std::string>& paths,
                                         DesignHeaderProbe& probe) {
    std::vector<std::string> tooManyColours;
    std::vector<std::string> tooManyStitches;
    for (const std::string& path : paths) {
        // Not opened: the saver could not open it either, so the list could never play.
        if (!PathWithinLimit(path, probe.Limit())) {
            return {false, PathTooLongMessage(probe.Limit()) + path};
        }
        const DesignFileCounts counts = probe.Probe(path);
        switch (counts.outcome) {
            case DesignFileCounts::Outcome::NotFound:
                return {false, std::string(FileNotFoundMessage) + path};
            case DesignFileCounts::Outcome::TooShort:
                return {false, std::string(FileTooShortMessage) + path};
            case DesignFileCounts::Outcome::NotADesignFormat:
                return {false, NotADesignFormatMessage() + path};
            case DesignFileCounts::Outcome::Unreadable:
                return {false, FileUnreadableMessage() + path};
            case DesignFileCounts::Outcome::Read:
                break;
        }
        if (TooManyColours(counts.colourCount)) tooManyColours.push_back(path);
        if (TooManyStitches(counts.stitchCount)) tooManyStitches.push_back(path);
    }
    if (!tooManyColours.empty()) return {false, PathList(TooManyColoursMessage, tooManyColours)};
    if (!tooManyStitches.empty()) {
        return {false, PathList(TooManyStitchesMessage, tooManyStitches)};
    }
    return {};
}

DesignListVerdict CheckDesignListLength(std::size_t entryCount) {
    if (entryCount == 0) return {false, std::string(EmptyListMessage)};
    if (entryCount > static_cast<std::size_t>(MaxPlaylistEntries)) {
        return {false, TooManyFilesMessage()};
    }
    return {};
}

DesignListVerdict CheckDesignList(const std::vector<std::string>& paths, DesignHeaderProbe& probe) {
    const DesignListVerdict length = CheckDesignListLength(paths.size());
    return length.accepted ? CheckDesignFileHeaders(paths, probe) : length;
}

}  // namespace vireluna
