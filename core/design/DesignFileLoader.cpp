#include "core/design/DesignFileLoader.h"

#include <array>

#include "core/design/DesignFileNames.h"

namespace vireluna {
namespace {

// A new format is one reader file and one row here.
constexpr std::array FormatTableRows = {&PxsFormat, &DstFormat, &ExpFormat, &PesFormat, &Vp3Format,
                                        &HusFormat, &VipFormat, &XxxFormat, &PcsFormat};

// Reads a file of a format read through the builder; false when it is refused.
bool ReadThroughBuilder(const FormatRow& format, DesignByteSource& source, RecordBuilder& builder) {
    return format.read(source, builder) && !source.Failed();
}

bool LoadThroughBuilder(const FormatRow& format, DesignByteSource& source, std::int32_t reduction,
                        Design& design, DesignFileDetails* details) {
    RecordBuilder builder(design.records.get(), reduction);
    if (!ReadThroughBuilder(format, source, builder)) return false;
    builder.FinishInto(design);
    if (details != nullptr) {
        *details = DesignFileDetails{};
        details->header.colourCount = builder.ColourBlocks();
        details->header.stitchCount = builder.RecordCount() + 1;
        details->streamEnd = builder.End();
    }
    return true;
}

// The format of a file whose source has read nothing yet, from its name and first bytes.
const FormatRow* RecogniseSource(DesignByteSource& source, std::string_view utf8Path,
                                 std::size_t& peeked) {
    peeked = source.PeekFirst(SignatureBytes);
    return RecogniseDesignFormat(utf8Path, source.First(), peeked);
}

LoadRefusal RefusalOf(const FormatRow* format, std::string_view utf8Path, bool readFailed) {
    if (readFailed) return LoadRefusal::ReadFailed;
    if (format != nullptr) return LoadRefusal::Damaged;
    return IsDesignFileName(utf8Path) ? LoadRefusal::Damaged : LoadRefusal::NotADesignFormat;
}

}  // namespace

FormatTable FormatRows() {
    return {FormatTableRows.data(), FormatTableRows.size()};
}

std::string ReadableFormatNames() {
    std::string names;
    for (const FormatRow* format : FormatTableRows) {
        if (!names.empty()) names += ", ";
        names += format->name;
    }
    return names;
}

const FormatRow* RecogniseDesignFormat(std::string_view utf8Path, const std::uint8_t* first,
                                       std::size_t size) {
    for (const FormatRow* format : FormatTableRows) {
        if (format->nameOutranksSignatures && HasExtension(utf8Path, format->extension)) {
            return format;
        }
    }
    for (const FormatRow* format : FormatTableRows) {
        if (format->hasSignature != nullptr && format->hasSignature(first, size)) return format;
    }
    for (const FormatRow* format : FormatTableRows) {
        if (!HasExtension(utf8Path, format->extension)) continue;
        // Such a file without its signature would be drawn as garbage.
        return format->signatureRequired ? nullptr : format;
    }
    if (HasAnyExtension(utf8Path)) return nullptr;  // named as something this does not read
    for (const FormatRow* format : FormatTableRows) {
        if (format->readsBareNames) return format;
    }
    return nullptr;
}

bool LoadDesignFile(InputFile& file, const char* utf8Path, std::int32_t reduction, Design& design,
                    DesignLoadInfo* info) {
    design.recordCount = 0;
    if (!file.Open(utf8Path)) {
        if (info != nullptr) info->refusal = LoadRefusal::CannotOpen;
        return false;
    }
    DesignByteSource source(file);
    std::size_t peeked = 0;
    const FormatRow* format = RecogniseSource(source, utf8Path, peeked);
    DesignFileDetails* details = info != nullptr ? &info->details : nullptr;
    bool loaded = false;
    if (format != nullptr && format->load != nullptr) {
        loaded = format->load(source, reduction, design, details);
    } else if (format != nullptr && !source.Failed()) {
        loaded = LoadThroughBuilder(*format, source, reduction, design, details);
    }
    const bool readFailed = source.Failed();
    file.Close();  // the file is never held between loads
    if (info != nullptr) {
        info->format = format;
        info->refusal = loaded ? LoadRefusal::None : RefusalOf(format, utf8Path, readFailed);
    }
    if (!loaded) {
        design.recordCount = 0;
        design.records[0] = StitchRecord(0, 0, StitchKind::End);
    }
    return loaded;
}

DesignFileCounts CountDesignFile(InputFile& openFile, std::string_view utf8Path,
                                 std::int32_t countUpTo) {
    DesignFileCounts counts;
    DesignByteSource source(openFile);
    std::size_t peeked = 0;
    const FormatRow* format = RecogniseSource(source, utf8Path, peeked);
    if (format == nullptr) {
        if (RefusalOf(nullptr, utf8Path, source.Failed()) == LoadRefusal::NotADesignFormat) {
            counts.outcome = DesignFileCounts::Outcome::NotADesignFormat;
        }
        return counts;
    }
    if (format->count != nullptr) return format->count(source, peeked);
    RecordBuilder builder(countUpTo);
    if (!ReadThroughBuilder(*format, source, builder)) return counts;
    counts.outcome = DesignFileCounts::Outcome::Read;
    counts.colourCount = builder.ColourBlocks();
    counts.stitchCount = builder.RecordCount() + 1;
    return counts;
}

}  // namespace vireluna
