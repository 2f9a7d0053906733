#include "design/DesignFiles.h"

#include <array>
#include <cstring>
#include <limits>

#include "design/DesignFileFormat.h"
#include "design/DesignFileNames.h"

namespace vireluna {
namespace {

// A new format is one reader file and one row here.
constexpr std::array FormatRows = {&OwnDesignFormat, &DstFormat, &ExpFormat, &PesFormat, &Vp3Format,
                                   &HusFormat,       &VipFormat, &XxxFormat, &PcsFormat};

std::int32_t LittleEndianWord(const std::uint8_t* bytes) {
    const std::uint32_t word = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                               std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    return static_cast<std::int32_t>(word);
}

// Reads a file of a format other than the saver's own into builder; false when it is refused.
bool ReadOtherFormat(const DesignFormat& format, DesignByteSource& source, RecordBuilder& builder) {
    return format.read(source, builder) && !source.Failed();
}

}  // namespace

DesignFormatList DesignFormats() {
    return {FormatRows.data(), FormatRows.size()};
}

const DesignFormat* RecogniseDesignFormat(std::string_view utf8Path, const std::uint8_t* first,
                                          std::size_t size) {
    // A file of the saver's own format starts with a little-endian offset, whose bytes may spell
    // a signature; its name keeps it read exactly as it always was.
    if (HasExtension(utf8Path, OwnDesignFormat.extension)) return &OwnDesignFormat;
    for (const DesignFormat* format : FormatRows) {
        if (format->hasSignature != nullptr && format->hasSignature(first, size)) return format;
    }
    for (const DesignFormat* format : FormatRows) {
        if (!HasExtension(utf8Path, format->extension)) continue;
        // Such a file without its signature would be drawn as garbage.
        return format->signatureRequired ? nullptr : format;
    }
    return &OwnDesignFormat;
}

bool LoadDesignFile(InputFile& file, const char* utf8Path, std::int32_t reduction, Design& design,
                    DesignLoadInfo* info) {
    design.recordCount = 0;
    if (!file.Open(utf8Path)) return false;
    DesignByteSource source(file);
    const std::size_t peeked = source.PeekFirst(SignatureBytes);
    const DesignFormat* format = RecogniseDesignFormat(utf8Path, source.First(), peeked);
    if (info != nullptr) info->format = format;
    bool loaded = false;
    if (format == &OwnDesignFormat) {
        loaded =
            LoadOwnFormat(source, reduction, design, info != nullptr ? &info->details : nullptr);
    } else if (format != nullptr && !source.Failed()) {
        RecordBuilder builder(design.records.get(), reduction);
        loaded = ReadOtherFormat(*format, source, builder);
        if (loaded) {
            builder.FinishInto(design);
            if (info != nullptr) {
                info->details = DesignFileDetails{};
                info->details.header.colourCount = builder.ColourBlocks();
                info->details.header.stitchCount = builder.RecordCount() + 1;
                info->details.streamEnd = builder.End();
            }
        }
    }
    file.Close();  // the file is never held between loads
    if (!loaded) {
        design.recordCount = 0;
        design.records[0] = StitchRecord(0, 0, StitchKind::End);
    }
    return loaded;
}

DesignFileCounts CountDesignFile(InputFile& openFile, std::string_view utf8Path) {
    DesignFileCounts counts;
    DesignByteSource source(openFile);
    const std::size_t peeked = source.PeekFirst(SignatureBytes);
    counts.format = RecogniseDesignFormat(utf8Path, source.First(), peeked);
    if (counts.format == nullptr) return counts;
    if (counts.format == &OwnDesignFormat) {
        if (peeked < static_cast<std::size_t>(HeaderCountsBytes)) {
            counts.outcome = DesignFileCounts::Outcome::TooShort;
            return counts;
        }
        counts.outcome = DesignFileCounts::Outcome::Read;
        counts.colourCount = LittleEndianWord(source.First() + ColourCountOffset);
        counts.stitchCount = LittleEndianWord(source.First() + StitchCountOffset);
        return counts;
    }
    RecordBuilder builder(nullptr, 100);
    if (!ReadOtherFormat(*counts.format, source, builder)) return counts;
    counts.outcome = DesignFileCounts::Outcome::Read;
    counts.colourCount = builder.ColourBlocks();
    counts.stitchCount = builder.RecordCount() + 1;
    return counts;
}

}  // namespace vireluna

namespace vireluna {

// Read by its own reader (DesignReader), which keeps the rules stored files rely on.
const DesignFormat OwnDesignFormat{"PXS", ".pxs", nullptr, false, nullptr};

}  // namespace vireluna
