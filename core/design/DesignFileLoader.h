#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/design/Design.h"
#include "core/design/DesignLimits.h"
#include "core/design/FormatRow.h"
#include "core/design/formats/PxsReader.h"
#include "core/ports/InputFile.h"

namespace vireluna {

// Every format the saver reads, the saver's own first: a format is one reader file, defining
// its row, and one entry of the table in DesignFileLoader.cpp.
struct FormatTable {
    const FormatRow* const* rows;
    std::size_t size;
    const FormatRow* const* begin() const { return rows; }
    const FormatRow* const* end() const { return rows + size; }
};
FormatTable FormatRows();

// The format a file is read as, from the path and the file's first bytes (all of them, when
// it is shorter than SignatureBytes): a name whose format outranks signatures (.pxs); else a
// format's signature; else a format's extension; else, for a name without any extension, the
// format that reads bare names (the saver's own). Null, and the file refused, when the name
// is that of a format with a signature the content lacks, or ends in an extension no format
// has.
const FormatRow* RecogniseDesignFormat(std::string_view utf8Path, const std::uint8_t* first,
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
    const FormatRow* format = nullptr;
    DesignFileDetails details;
    LoadRefusal refusal = LoadRefusal::None;
};

// Loads the design at utf8Path in whatever format it is, as LoadDesign does for the saver's own
// format (the same rules, the same results for it). False also when the file is refused as
// unreadable: then recordCount is 0, records[0] the End record and the colours unchanged.
// Allocates nothing.
bool LoadDesignFile(InputFile& file, const char* utf8Path, std::int32_t reduction, Design& design,
                    DesignLoadInfo* info = nullptr);

// The counts of a file already open at its first byte; the caller closes it. For a format with
// rules of its own what its row counts (the saver's own: the two header words exactly); for
// another the colour blocks and the record slots
// (End included) its content takes once read, counted up to `countUpTo` records: by default one
// past MaxStitchRecords, enough to tell that a design does not fit.
DesignFileCounts CountDesignFile(InputFile& openFile, std::string_view utf8Path,
                                 std::int32_t countUpTo = MaxStitchRecords + 1);

}  // namespace vireluna
