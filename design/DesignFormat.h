#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "design/ColourValue.h"
#include "design/DesignByteSource.h"
#include "design/RecordBuilder.h"
#include "design/ThreadPalette.h"

namespace vireluna {

// Bytes at the start of a file that recognising its format may look at.
inline constexpr std::size_t SignatureBytes = 512;

// One design file format the saver reads: a row of the format table.
struct DesignFormat {
    std::string_view name;       // as `vireluna info` names it
    std::string_view extension;  // lower case, with the dot
    // True when a file's first bytes (all of them, when it is shorter than SignatureBytes)
    // carry the format's signature; null for a format known by its extension alone.
    bool (*hasSignature)(const std::uint8_t* first, std::size_t size);
    // A file named with the extension but lacking the signature is refused rather than read.
    bool signatureRequired;
    // Reads the whole file from its first byte into the builder. False when the file is not
    // of this format after all (a header missing or broken): it is then refused as unreadable.
    // Null for the saver's own format, whose reader keeps its own rules.
    bool (*read)(DesignByteSource& source, RecordBuilder& records);
};

// The formats' rows, each defined beside its reader.
extern const DesignFormat OwnDesignFormat;
extern const DesignFormat DstFormat;
extern const DesignFormat ExpFormat;
extern const DesignFormat PesFormat;
extern const DesignFormat Vp3Format;
extern const DesignFormat HusFormat;
extern const DesignFormat VipFormat;
extern const DesignFormat XxxFormat;
extern const DesignFormat PcsFormat;

// ColourValue of an RGB colour, flagged as every colour of the saver is.
constexpr ColourValue RgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return PaletteRelativeFlag | (ColourValue{blue} << 16) | (ColourValue{green} << 8) |
           ColourValue{red};
}

// The colour of colour block `block` of a format whose files carry no colours.
ColourValue DefaultBlockColour(std::int32_t block);

}  // namespace vireluna
