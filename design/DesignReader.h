#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "design/Design.h"

namespace vireluna {

// Layout of a design file's header: little-endian signed 32-bit words at these offsets,
// then the colour list of thread numbers at ColourListOffset.
inline constexpr int StreamOffsetOffset = 0;
inline constexpr int ColourCountOffset = 24;
inline constexpr int StitchCountOffset = 28;
inline constexpr int ColourListOffset = 116;
// The first bytes of a file, enough to hold the three words above.
inline constexpr int HeaderCountsBytes = 32;

// The header words that say how large a design is.
struct DesignHeader {
    std::int32_t streamOffset = 0;
    std::int32_t colourCount = 0;  // entries in the file's colour list, as declared
    std::int32_t stitchCount = 0;  // declared stitches; the reader itself never uses it
};

// A design whose header stays within what a loaded design can hold. Signed comparisons:
// a negative count passes.
inline bool WithinFormatLimits(const DesignHeader& header) {
    return header.colourCount <= MaxDesignColours && header.stitchCount <= MaxStitchRecords;
}

// Reads the first HeaderCountsBytes of the file. False when it cannot be opened or is shorter.
bool ReadDesignHeader(const char* utf8Path, DesignHeader& header);

// How the stitch stream of the last load ended.
enum class StreamEnd : std::uint8_t {
    EndCode,      // the file's own end code
    EndOfFile,    // the file ended first; what was read is kept
    RecordLimit,  // MaxStitchRecords was reached; the rest of the file is not read
};

// What a load saw in the file besides the Design itself, for tools that report on it.
struct DesignFileDetails {
    DesignHeader header;
    // Thread numbers of the colour list as read: the first design.colourCount entries are set.
    std::array<std::int32_t, MaxDesignColours> threadNumbers{};
    StreamEnd streamEnd = StreamEnd::EndCode;
};

// Loads the design file at utf8Path into design, scaling by reduction / 100.
// design.records must already hold MaxStitchRecords entries. Loading allocates nothing.
// False when the file cannot be opened, or is refused because it ends inside its header or
// its colour list; then recordCount is 0 and the rest of design is unchanged. A stitch stream
// cut short by the end of the file, or longer than the records can hold, ends there as if
// its end code had been read. A colour list longer than MaxDesignColours sets only the first
// MaxDesignColours colours. details, when given, is filled on success.
bool LoadDesign(const char* utf8Path, std::int32_t reduction, Design& design,
                DesignFileDetails* details = nullptr);

// The same from the bytes of a whole file already in memory.
bool LoadDesignFromBytes(const std::uint8_t* bytes, std::size_t size, std::int32_t reduction,
                         Design& design, DesignFileDetails* details = nullptr);

}  // namespace vireluna
