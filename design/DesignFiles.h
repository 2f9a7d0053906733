#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "design/Design.h"
#include "design/DesignFormat.h"
#include "design/DesignReader.h"
#include "platform/InputFile.h"

namespace vireluna {

// Every format the saver reads, the saver's own first.
struct DesignFormatList {
    const DesignFormat* const* rows;
    std::size_t size;
    const DesignFormat* const* begin() const { return rows; }
    const DesignFormat* const* end() const { return rows + size; }
};
DesignFormatList DesignFormats();

// The format a file is read as, from the path and the file's first bytes (all of them, when
// it is shorter than SignatureBytes): a name ending in .pxs is always the saver's own format;
// else a format's signature; else a format's extension; else the saver's own format. Null
// when the name is that of a format with a signature the content lacks: the file is refused.
const DesignFormat* RecogniseDesignFormat(std::string_view utf8Path, const std::uint8_t* first,
                                          std::size_t size);

// The names of every format read, in the table's order, separated by ", ".
std::string ReadableFormatNames();

// Why a load failed.
enum class LoadRefusal : std::uint8_t {
    None,
    CannotOpen,
    // A name ending in an extension no format has, and no signature read in the content.
    NotADesignFormat,
    // Its format's reader refused it, or its name asks for a signature it lacks.
    Damaged,
    ReadFailed,  // a read of an opened file failed (a folder, a device error)
};

// What a load found besides the design. For the saver's own format `details` is what its
// reader reports; for another format, details.header holds no stream offset, the colour blocks
// and the records (End included) the content takes, and no thread numbers are read.
struct DesignLoadInfo {
    const DesignFormat* format = nullptr;
    DesignFileDetails details;
    LoadRefusal refusal = LoadRefusal::None;
};

// Loads the design at utf8Path in whatever format it is, as LoadDesign does for the saver's own
// format (the same rules, the same results for it). False also when the file is refused as
// unreadable: then recordCount is 0, records[0] the End record and the colours unchanged.
// Allocates nothing.
bool LoadDesignFile(InputFile& file, const char* utf8Path, std::int32_t reduction, Design& design,
                    DesignLoadInfo* info = nullptr);

// The two counts the check of a design list compares with the limits.
struct DesignFileCounts {
    enum class Outcome {
        Read,              // both counts found
        TooShort,          // the saver's own format, shorter than its header words
        NotADesignFormat,  // as LoadRefusal::NotADesignFormat
        Unreadable,        // refused by its format, or a read failed
    };
    Outcome outcome = Outcome::Unreadable;
    const DesignFormat* format = nullptr;
    std::int32_t colourCount = 0;
    std::int32_t stitchCount = 0;
};

// The counts of a file already open at its first byte; the caller closes it. For the saver's
// own format the two header words exactly; for another the colour blocks and the record slots
// (End included) its content takes once read, counted up to `countUpTo` records: by default one
// past MaxStitchRecords, enough to tell that a design does not fit.
DesignFileCounts CountDesignFile(InputFile& openFile, std::string_view utf8Path,
                                 std::int32_t countUpTo = MaxStitchRecords + 1);

}  // namespace vireluna
