#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/design/Design.h"
#include "core/design/DesignByteSource.h"
#include "core/design/formats/PxsLayout.h"
#include "core/ports/InputFile.h"

namespace vireluna {

// The header words that say how large a design is.
struct DesignHeader {
    std::int32_t streamOffset = 0;
    std::int32_t colourCount = 0;  // entries in the file's colour list, as declared
    std::int32_t stitchCount = 0;  // declared stitches; the reader itself never uses it
};

// Reads the first HeaderCountsBytes of the file, opened through file and closed again. False when
// it cannot be opened or is shorter.
bool ReadDesignHeader(InputFile& file, const char* utf8Path, DesignHeader& header);

// How the reading of the last load ended.
enum class StreamEnd : std::uint8_t {
    EndCode,                // the file's own end code
    EndOfFile,              // the file ended inside the stitch stream; what was read is kept
    EndOfFileBeforeStream,  // the file ended inside its header, colour list or the gap after it
    RecordLimit,            // MaxStitchRecords was reached; the rest of the file is not read
};

// What a load saw in the file besides the Design itself, for tools that report on it.
struct DesignFileDetails {
    // The header words as stored; a word the file ends inside of is 0.
    DesignHeader header;
    // Thread numbers of the colour list as read: the first design.colourCount entries are set.
    std::array<std::int32_t, MaxDesignColours> threadNumbers{};
    StreamEnd streamEnd = StreamEnd::EndCode;
};

// Loads the design file at utf8Path into design, scaling by reduction / 100; file is opened for
// it and closed again. design.records must already hold MaxStitchRecords entries. Loading allocates
// nothing. False when the file cannot be opened: then recordCount is 0 and the rest of design is
// unchanged. False too when a read fails (a folder, a device error): then recordCount is 0,
// records[0] is the End record and the colours and extents are unchanged. Otherwise the end of the
// file, wherever it comes, acts as the end code and what was read before it stands: a file that
// ends inside its header has no colours and no records; one that ends inside its colour list keeps
// the entries read in full and has no records; a stream cut short ends at its last whole record (a
// control code or a leading jump whose displacement is cut off leaves nothing). A stream longer
// than the records can hold ends there too. A colour list longer than MaxDesignColours sets only
// the first MaxDesignColours colours. details, when given, is filled whenever the result is true.
bool LoadDesign(InputFile& file, const char* utf8Path, std::int32_t reduction, Design& design,
                DesignFileDetails* details = nullptr);

// The same from the bytes of a whole file already in memory. False only for null bytes with
// a size other than 0.
bool LoadDesignFromBytes(const std::uint8_t* bytes, std::size_t size, std::int32_t reduction,
                         Design& design, DesignFileDetails* details = nullptr);

}  // namespace vireluna
