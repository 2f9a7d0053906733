#include "design/DesignReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "design/ThreadPalette.h"
#include "platform/InputFile.h"

namespace vireluna {
namespace {

// Stitch stream codes: a pair whose first byte is ControlByte carries a code in its second.
constexpr std::uint8_t ControlByte = 0x80;
constexpr std::uint8_t EndCode = 0x10;
constexpr std::uint8_t JumpCode = static_cast<std::uint8_t>(StitchKind::Jump);
constexpr int PairBytes = 2;
constexpr int ThreadNumberBytes = 4;
constexpr double PercentToFactor = 0.01;
// Raw records the read pass may store: one slot stays free for the End record.
constexpr std::int32_t RawRecordCapacity = MaxStitchRecords - 1;
// Bytes read from the file at a time; kept on the stack so loading allocates nothing.
constexpr std::size_t FileChunkBytes = 4096;

std::int32_t Int32At(const std::uint8_t* bytes) {
    const std::uint32_t bits = std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
                               (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
    return static_cast<std::int32_t>(bits);
}

DesignHeader HeaderFrom(const std::uint8_t* bytes) {
    DesignHeader header;
    header.streamOffset = Int32At(bytes + StreamOffsetOffset);
    header.colourCount = Int32At(bytes + ColourCountOffset);
    header.stitchCount = Int32At(bytes + StitchCountOffset);
    return header;
}

// A displacement byte of the stream as a signed value.
std::int32_t Displacement(std::int32_t byte) {
    return byte >= 128 ? byte - 256 : byte;
}

// value × factor, truncated toward zero and held within the int32 range.
std::int32_t Scale(std::int32_t value, double factor) {
    constexpr double Lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double Highest = std::numeric_limits<std::int32_t>::max();
    const double scaled = std::trunc(static_cast<double>(value) * factor);
    return static_cast<std::int32_t>(std::clamp(scaled, Lowest, Highest));
}

// Reads a file forward through a fixed buffer.
class FileSource {
  public:
    explicit FileSource(InputFile& file) : file_(file) {}

    // True when all size bytes were read (out may be null to discard them).
    bool Read(std::uint8_t* out, std::uint64_t size) {
        while (size > 0) {
            if (position_ == filled_) {
                filled_ = file_.Read(buffer_, sizeof buffer_);
                position_ = 0;
                if (filled_ == 0) return false;
            }
            const std::size_t take =
                static_cast<std::size_t>(std::min<std::uint64_t>(size, filled_ - position_));
            if (out != nullptr) {
                std::memcpy(out, buffer_ + position_, take);
                out += take;
            }
            position_ += take;
            size -= take;
        }
        return true;
    }

  private:
    InputFile& file_;
    std::uint8_t buffer_[FileChunkBytes];
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
};

class MemorySource {
  public:
    MemorySource(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Read(std::uint8_t* out, std::uint64_t size) {
        const std::size_t left = size_ - position_;
        const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(size, left));
        if (out != nullptr && take > 0) std::memcpy(out, bytes_ + position_, take);
        position_ += take;
        return take == size;
    }

  private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Read pass: stores the stream's pairs as raw records (x = first byte, y = second byte) up to
// the end code, dropping leading jumps with their displacements. Returns the number stored.
template <typename Source>
std::int32_t ReadRawPairs(Source& source, StitchRecord* records, StreamEnd& streamEnd) {
    std::int32_t count = 0;
    std::uint8_t pair[PairBytes];
    for (;;) {
        if (!source.Read(pair, PairBytes)) {
            streamEnd = StreamEnd::EndOfFile;
            return count;
        }
        if (pair[0] == ControlByte && pair[1] == EndCode) {
            streamEnd = StreamEnd::EndCode;
            return count;
        }
        if (pair[0] == ControlByte && pair[1] == JumpCode && count == 0) {
            if (!source.Read(pair, PairBytes)) {
                streamEnd = StreamEnd::EndOfFile;
                return count;
            }
            continue;
        }
        if (count == RawRecordCapacity) {
            streamEnd = StreamEnd::RecordLimit;
            return count;
        }
        records[count++] = StitchRecord(pair[1], pair[0], StitchKind::Stitch);
    }
}

// Decode pass, in place: turns rawCount raw records into absolute points, writes the End
// record after them and returns how many points there are. A control code whose displacement
// never came (the stream ended right after it) is dropped.
std::int32_t DecodeRawPairs(StitchRecord* records, std::int32_t rawCount) {
    std::int32_t sumX = 0;
    std::int32_t sumY = 0;
    std::int32_t written = 0;
    std::int32_t next = 0;
    while (next < rawCount) {
        StitchKind kind = StitchKind::Stitch;
        if (records[next].x == ControlByte) {
            kind = static_cast<StitchKind>(records[next].y);
            if (++next == rawCount) break;
        }
        sumX += Displacement(records[next].x);
        sumY += Displacement(records[next].y);
        ++next;
        records[written++] = StitchRecord(sumY, sumX, kind);
    }
    records[written] = StitchRecord(0, 0, StitchKind::End);
    return written;
}

// Flips y of the stitches so that it grows downward and scales every point, up to the
// first End record.
void FlipAndScale(StitchRecord* records, std::int32_t reduction) {
    const double factor = reduction * PercentToFactor;
    for (StitchRecord* record = records; record->kind != StitchKind::End; ++record) {
        if (record->kind == StitchKind::Stitch) record->y = -record->y;
        record->x = Scale(record->x, factor);
        record->y = Scale(record->y, factor);
    }
}

template <typename Source>
bool LoadFrom(Source& source, std::int32_t reduction, Design& design, DesignFileDetails* details) {
    std::uint8_t headerBytes[ColourListOffset];
    if (!source.Read(headerBytes, sizeof headerBytes)) return false;
    const DesignHeader header = HeaderFrom(headerBytes);

    // The colour list is read whole before anything of the design changes, so that a file
    // that ends inside it leaves the design as it was.
    const std::int32_t kept = std::clamp<std::int32_t>(header.colourCount, 0, MaxDesignColours);
    std::array<std::int32_t, MaxDesignColours> threadNumbers;
    for (std::int32_t i = 0; i < kept; ++i) {
        std::uint8_t numberBytes[ThreadNumberBytes];
        if (!source.Read(numberBytes, sizeof numberBytes)) return false;
        threadNumbers[i] = Int32At(numberBytes);
    }
    if (header.colourCount > kept &&
        !source.Read(nullptr, std::uint64_t{ThreadNumberBytes} * (header.colourCount - kept))) {
        return false;
    }

    const ThreadPalette palette;
    for (std::int32_t i = 0; i < kept; ++i) {
        design.colours[i] = palette.ColourForNumber(threadNumbers[i]);
    }
    design.colourCount = kept;

    // The stream may begin after a gap; an offset inside the colour list skips nothing.
    const std::int64_t gap = std::int64_t{header.streamOffset} - ColourListOffset -
                             std::int64_t{ThreadNumberBytes} * header.colourCount;
    StreamEnd streamEnd = StreamEnd::EndOfFile;
    std::int32_t rawCount = 0;
    if (gap <= 0 || source.Read(nullptr, static_cast<std::uint64_t>(gap))) {
        rawCount = ReadRawPairs(source, design.records.get(), streamEnd);
    }

    design.recordCount = DecodeRawPairs(design.records.get(), rawCount);
    FlipAndScale(design.records.get(), reduction);
    ComputeExtents(design.records.get(), design.extents);

    if (details != nullptr) {
        details->header = header;
        std::copy_n(threadNumbers.begin(), kept, details->threadNumbers.begin());
        details->streamEnd = streamEnd;
    }
    return true;
}

}  // namespace

bool ReadDesignHeader(const char* utf8Path, DesignHeader& header) {
    InputFile file;
    if (!file.Open(utf8Path)) return false;
    FileSource source(file);
    std::uint8_t bytes[HeaderCountsBytes];
    if (!source.Read(bytes, sizeof bytes)) return false;
    header = HeaderFrom(bytes);
    return true;
}

bool LoadDesign(const char* utf8Path, std::int32_t reduction, Design& design,
                DesignFileDetails* details) {
    design.recordCount = 0;
    InputFile file;
    if (!file.Open(utf8Path)) return false;
    FileSource source(file);
    return LoadFrom(source, reduction, design, details);
}

bool LoadDesignFromBytes(const std::uint8_t* bytes, std::size_t size, std::int32_t reduction,
                         Design& design, DesignFileDetails* details) {
    design.recordCount = 0;
    MemorySource source(bytes, size);
    return LoadFrom(source, reduction, design, details);
}

void ComputeExtents(const StitchRecord* records, DesignExtents& extents) {
    extents.minX = std::numeric_limits<std::int32_t>::max();
    extents.maxY = std::numeric_limits<std::int32_t>::min();
    extents.maxX = std::numeric_limits<std::int32_t>::min();
    extents.minY = std::numeric_limits<std::int32_t>::max();
    for (const StitchRecord* record = records; record->kind != StitchKind::End; ++record) {
        if (record->kind != StitchKind::Stitch) continue;
        extents.minX = std::min(extents.minX, record->x);
        extents.maxY = std::max(extents.maxY, record->y);
        extents.maxX = std::max(extents.maxX, record->x);
        extents.minY = std::min(extents.minY, record->y);
    }
}

}  // namespace vireluna
