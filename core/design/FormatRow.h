#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/design/Design.h"
#include "core/design/DesignByteSource.h"
#include "core/design/RecordBuilder.h"
#include "core/design/ThreadPalette.h"
#include "core/design/formats/PxsReader.h"
#include "core/ports/ColourValue.h"

namespace vireluna {

// Bytes at the start of a file that recognising its format may look at.
inline constexpr std::size_t SignatureBytes = 512;

// The two counts the check of a design list compares with the limits.
struct DesignFileCounts {
    enum class Outcome {
        Read,              // both counts found
        NotFound,          // missing, access denied, not a file, or held by another program
        TooShort,          // the saver's own format, shorter than its header words
        NotADesignFormat,  // named for no format read, and without a signature read
        // not a design its format can read (a .pes or .vp3 without its signature, a broken
        // header), or a read failed
        Unreadable,
    };
    Outcome outcome = Outcome::Unreadable;
    std::int32_t colourCount = 0;
    std::int32_t stitchCount = 0;
};

// One design file format the saver reads: a row of the format table.
struct FormatRow {
    std::string_view name;       // as `vireluna info` names it
    std::string_view extension;  // lower case, with the dot
    // True when a file's first bytes (all of them, when it is shorter than SignatureBytes)
    // carry the format's signature; null for a format known by its extension alone.
    bool (*hasSignature)(const std::uint8_t* first, std::size_t size);
    // A file named with the extension but lacking the signature is refused rather than read.
    bool signatureRequired;
    // Reads the whole file from its first byte into the builder. False when the file is not
    // of this format after all (a header missing or broken): it is then refused as unreadable.
    // Null for a format that loads and counts by rules of its own (below).
    bool (*read)(DesignByteSource& source, RecordBuilder& records);

    // For a format with rules of its own: loads from the first byte, as LoadDesign does.
    bool (*load)(DesignByteSource& source, std::int32_t reduction, Design& design,
                 DesignFileDetails* details) = nullptr;
    // Counts for the limits from the first `peeked` bytes, already at source.First().
    DesignFileCounts (*count)(const DesignByteSource& source, std::size_t peeked) = nullptr;
    // A name with the extension is this format whatever its first bytes spell.
    bool nameOutranksSignatures = false;
    // A name without any extension and no signature is read as this format.
    bool readsBareNames = false;
};

// The formats' rows, each defined beside its reader.
extern const FormatRow PxsFormat;
extern const FormatRow DstFormat;
extern const FormatRow ExpFormat;
extern const FormatRow PesFormat;
extern const FormatRow Vp3Format;
extern const FormatRow HusFormat;
extern const FormatRow VipFormat;
extern const FormatRow XxxFormat;
extern const FormatRow PcsFormat;

// ColourValue of an RGB colour, flagged as every colour of the saver is.
constexpr ColourValue RgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return PaletteRelativeFlag | (ColourValue{blue} << 16) | (ColourValue{green} << 8) |
           ColourValue{red};
}

// The colour of colour block `block` of a format whose files carry no colours.
ColourValue DefaultBlockColour(std::int32_t block);

// A stop, moving or not, of a format whose files carry no colours: the block it starts takes
// the next default colour. False once the design is full.
inline bool DefaultColourChangeAt(RecordBuilder& records, std::int64_t x, std::int64_t y) {
    const bool room = records.ColourChangeAt(x, y);
    records.SetColour(DefaultBlockColour(records.ColourBlocks() - 1));
    return room;
}

}  // namespace vireluna
