// VIP: the shared header, the name's offset, scrambled RGB colours, then three compressed
// streams laid out as in HUS.
#include <algorithm>
#include <array>

#include "core/design/DesignLimits.h"
#include "core/design/formats/HusVipStitches.h"
#include "core/design/formats/VipColourKey.h"

namespace vireluna {
namespace {

constexpr std::uint16_t VipKind = 0x0190;
constexpr std::size_t NameOffsetBytes = 4;  // the offset of the design name, not needed
constexpr std::size_t ColourBytes = 4;      // R, G, B, 0

static_assert(MaxDesignColours * ColourBytes <= VipColourKey.size());

bool HasVipSignature(const std::uint8_t* first, std::size_t size) {
    return HasHusVipSignature(first, size, VipKind);
}

bool ReadVip(DesignByteSource& source, RecordBuilder& records) {
    HusVipHeader header;
    if (!ReadHusVipHeader(source, VipKind, header) ||
        source.Read(nullptr, NameOffsetBytes) != NameOffsetBytes) {
        return false;
    }
    // Colours beyond what a design may hold are never shown.
    const std::size_t listed = std::min<std::size_t>(header.colours, MaxDesignColours);
    std::array<std::uint8_t, MaxDesignColours * ColourBytes> scrambled;
    if (!source.Take(scrambled.data(), listed * ColourBytes)) return false;
    std::array<ColourValue, MaxDesignColours> colours;
    std::uint8_t plain[ColourBytes];
    std::uint8_t previous = 0;  // the chain runs on the stored bytes
    for (std::size_t i = 0; i < listed * ColourBytes; ++i) {
        plain[i % ColourBytes] = scrambled[i] ^ VipColourKey[i] ^ previous;
        previous = scrambled[i];
        if (i % ColourBytes == ColourBytes - 1) {
            colours[i / ColourBytes] = RgbColour(plain[0], plain[1], plain[2]);
        }
    }
    return ReadHusVipStitches(source, header, colours.data(), listed, records);
}

}  // namespace

const FormatRow VipFormat{"VIP", ".vip", HasVipSignature, true, ReadVip};

}  // namespace vireluna
