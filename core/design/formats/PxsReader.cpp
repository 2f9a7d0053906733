#include "core/design/formats/PxsReader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/design/ByteOrder.h"
#include "core/design/FormatRow.h"
#include "core/design/ReductionScale.h"
#include "core/design/ThreadPalette.h"
#include "core/ports/InputFile.h"

namespace vireluna {
namespace {

static_assert(JumpCode == static_cast<std::uint8_t>(StitchKind::Jump));
static_assert(ColourChangeCode == static_cast<std::uint8_t>(StitchKind::ColourChange));

// Pairs of the stream a load takes, control pairs included: as many as records can hold
// with one slot left for the End record, so that the records always fit.
constexpr std::int32_t PairCapacity = MaxStitchRecords - 1;
std::int32_t Int32At(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(LittleEndian32(bytes));
}

// The header word at offset, or 0 when the first `available` bytes do not hold all of it.
std::int32_t HeaderWord(const std::uint8_t* bytes, std::size_t available, int offset) {
    return available >= static_cast<std::size_t>(offset + HeaderWordBytes) ? Int32At(bytes + offset)
                                                                           : 0;
}

DesignHeader HeaderFrom(const std::uint8_t* bytes, std::size_t available) {
    DesignHeader header;
    header.streamOffset = HeaderWord(bytes, available, StreamOffsetOffset);
    header.colourCount = HeaderWord(bytes, available, ColourCountOffset);
    header.stitchCount = HeaderWord(bytes, available, StitchCountOffset);
    return header;
}

// A displacement byte of the stream as a signed value: 128 to 255 stand for -128 to -1.
std::int32_t Displacement(std::uint8_t byte) {
    return static_cast<std::int8_t>(byte);
}

class MemorySource {
  public:
    MemorySource(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::uint64_t Read(std::uint8_t* out, std::uint64_t size) {
        const std::size_t take =
            static_cast<std::size_t>(std::min<std::uint64_t>(size, size_ - position_));
        if (out != nullptr && take > 0) std::memcpy(out, bytes_ + position_, take);
        position_ += take;
        return take;
    }

    bool ReadPair(std::uint8_t* pair) {
        if (size_ - position_ < PairBytes) return false;
        pair[0] = bytes_[position_];
        pair[1] = bytes_[position_ + 1];
        position_ += PairBytes;
        return true;
    }

    bool Failed() const { return false; }

  private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Reads the colour list of a header that declared `declared` entries. Returns how many
// entries were read in full into threadNumbers (at most MaxDesignColours); listComplete
// tells whether the whole list, beyond-limit entries included, was in the file.
template <typename Source>
std::int32_t ReadColourList(Source& source, std::int32_t declared,
                            std::array<std::int32_t, MaxDesignColours>& threadNumbers,
                            bool& listComplete) {
    const std::int32_t wanted = std::clamp<std::int32_t>(declared, 0, MaxDesignColours);
    std::uint8_t listBytes[MaxDesignColours * ThreadNumberBytes];
    const std::uint64_t got = source.Read(listBytes, std::uint64_t{ThreadNumberBytes} * wanted);
    const auto read = static_cast<std::int32_t>(got / ThreadNumberBytes);
    for (std::int32_t i = 0; i < read; ++i) {
        threadNumbers[i] = Int32At(listBytes + i * ThreadNumberBytes);
    }
    listComplete = read == wanted;
    if (listComplete && declared > wanted) {
        const std::uint64_t surplus = std::uint64_t{ThreadNumberBytes} * (declared - wanted);
        listComplete = source.Read(nullptr, surplus) == surplus;
    }
    return read;
}

// Writes the needle points of a load as records. Stitches flip y so that it grows downward;
// every point before the first record of kind End is scaled, and the stitches among them are
// measured. That record and all after it keep the file's units, as nothing uses them.
class RecordWriter {
  public:
    RecordWriter(StitchRecord* records, std::int32_t reduction)
        : records_(records), scale_(reduction) {}

    void Write(std::int32_t x, std::int32_t y, StitchKind kind) {
        StitchRecord& record = records_[count_++];
        record.kind = kind;
        ended_ = ended_ || kind == StitchKind::End;
        if (ended_) {
            record.x = x;
            record.y = y;
            return;
        }
        if (kind == StitchKind::Stitch) y = -y;
        record.x = scale_(x);
        record.y = scale_(y);
        if (kind == StitchKind::Stitch) IncludeStitch(extents_, record.x, record.y);
    }

    // Writes the End record after the others; returns how many came before it.
    std::int32_t Finish() {
        records_[count_] = StitchRecord(0, 0, StitchKind::End);
        return count_;
    }

    const DesignExtents& Extents() const { return extents_; }

  private:
    StitchRecord* records_;
    ReductionScale scale_;
    std::int32_t count_ = 0;
    bool ended_ = false;
    DesignExtents extents_ = NoStitchExtents;
};

// Decodes the stitch stream up to its end code into records, in one forward pass. Needle
// points accumulate from (0, 0). Leading jumps vanish with their displacements; a control
// code whose displacement never comes (the end code or the end of the file follows) leaves
// nothing. The stream ends at PairCapacity pairs.
template <typename Source>
StreamEnd DecodeStream(Source& source, RecordWriter& writer) {
    std::int32_t pairsTaken = 0;
    std::int32_t sumX = 0;
    std::int32_t sumY = 0;
    bool controlPending = false;
    StitchKind kind = StitchKind::Stitch;
    std::uint8_t pair[PairBytes];
    while (source.ReadPair(pair)) {
        if (pair[0] == ControlByte) {
            if (pair[1] == EndCode) return StreamEnd::EndCode;
            if (pair[1] == JumpCode && pairsTaken == 0) {
                if (!source.ReadPair(pair)) break;  // its displacement goes with it
                continue;
            }
        }
        if (pairsTaken == PairCapacity) return StreamEnd::RecordLimit;
        ++pairsTaken;
        if (controlPending) {
            controlPending = false;  // the control's displacement, whatever its bytes
        } else if (pair[0] == ControlByte) {
            controlPending = true;
            kind = static_cast<StitchKind>(pair[1]);
            continue;
        } else {
            kind = StitchKind::Stitch;
        }
        sumX += Displacement(pair[0]);
        sumY += Displacement(pair[1]);
        writer.Write(sumX, sumY, kind);
    }
    return StreamEnd::EndOfFile;
}

// The end of the file acts as the end code wherever it comes: what was read before it stands.
// A failed read is not an end: the load fails, the records hold no design, and the colours
// and extents stay as they were, as when the file cannot be opened.
template <typename Source>
bool LoadFrom(Source& source, std::int32_t reduction, Design& design, DesignFileDetails* details) {
    std::uint8_t headerBytes[ColourListOffset] = {};
    const std::uint64_t headerRead = source.Read(headerBytes, sizeof headerBytes);
    const DesignHeader header = HeaderFrom(headerBytes, static_cast<std::size_t>(headerRead));

    std::array<std::int32_t, MaxDesignColours> threadNumbers;
    std::int32_t colourCount = 0;
    bool listComplete = false;
    if (headerRead == sizeof headerBytes) {
        colourCount = ReadColourList(source, header.colourCount, threadNumbers, listComplete);
    }
    RecordWriter writer(design.records.get(), reduction);
    StreamEnd streamEnd = StreamEnd::EndOfFileBeforeStream;
    if (listComplete) {
        // The stream may begin after a gap; an offset inside the colour list skips nothing.
        const std::int64_t gap = std::int64_t{header.streamOffset} - ColourListOffset -
                                 std::int64_t{ThreadNumberBytes} * header.colourCount;
        const auto skip = static_cast<std::uint64_t>(std::max<std::int64_t>(gap, 0));
        if (source.Read(nullptr, skip) == skip) streamEnd = DecodeStream(source, writer);
    }
    if (source.Failed()) {
        design.records[0] = StitchRecord(0, 0, StitchKind::End);
        return false;
    }

    const ThreadPalette palette;
    for (std::int32_t i = 0; i < colourCount; ++i) {
        design.colours[i] = palette.ColourForNumber(threadNumbers[i]);
    }
    design.colourCount = colourCount;
    design.recordCount = writer.Finish();
    design.extents = writer.Extents();

    if (details != nullptr) {
        details->header = header;
        std::copy_n(threadNumbers.begin(), colourCount, details->threadNumbers.begin());
        details->streamEnd = streamEnd;
    }
    return true;
}

}  // namespace

bool ReadDesignHeader(InputFile& file, const char* utf8Path, DesignHeader& header) {
    if (!file.Open(utf8Path)) return false;
    DesignByteSource source(file);
    std::uint8_t bytes[HeaderCountsBytes];
    // A read error ends the read short as well.
    const bool whole = source.Read(bytes, sizeof bytes) == sizeof bytes;
    file.Close();
    if (!whole) return false;
    header = HeaderFrom(bytes, sizeof bytes);
    return true;
}

bool LoadDesign(InputFile& file, const char* utf8Path, std::int32_t reduction, Design& design,
                DesignFileDetails* details) {
    design.recordCount = 0;
    if (!file.Open(utf8Path)) return false;
    DesignByteSource source(file);
    const bool loaded = LoadFrom(source, reduction, design, details);
    file.Close();  // the file is never held between loads
    return loaded;
}

namespace {

bool LoadPxs(DesignByteSource& source, std::int32_t reduction, Design& design,
             DesignFileDetails* details) {
    design.recordCount = 0;
    return LoadFrom(source, reduction, design, details);
}

// The two header words exactly, whatever follows them.
DesignFileCounts CountPxs(const DesignByteSource& source, std::size_t peeked) {
    DesignFileCounts counts;
    if (peeked < static_cast<std::size_t>(HeaderCountsBytes)) {
        counts.outcome = DesignFileCounts::Outcome::TooShort;
        return counts;
    }
    const DesignHeader header = HeaderFrom(source.First(), peeked);
    counts.outcome = DesignFileCounts::Outcome::Read;
    counts.colourCount = header.colourCount;
    counts.stitchCount = header.stitchCount;
    return counts;
}

}  // namespace

// Its reader keeps the rules stored files rely on. A file of this format starts with a
// little-endian offset, whose bytes may spell another format's signature: its name keeps it
// read as it always was, and so does a name without an extension.
const FormatRow PxsFormat{"PXS", ".pxs", nullptr, false, nullptr, LoadPxs, CountPxs, true, true};

bool LoadDesignFromBytes(const std::uint8_t* bytes, std::size_t size, std::int32_t reduction,
                         Design& design, DesignFileDetails* details) {
    design.recordCount = 0;
    if (bytes == nullptr && size != 0) return false;
    MemorySource source(bytes, size);
    return LoadFrom(source, reduction, design, details);
}

void ComputeExtents(const StitchRecord* records, DesignExtents& extents) {
    extents = NoStitchExtents;
    for (const StitchRecord* record = records; record->kind != StitchKind::End; ++record) {
        if (record->kind == StitchKind::Stitch) IncludeStitch(extents, record->x, record->y);
    }
}

}  // namespace vireluna
