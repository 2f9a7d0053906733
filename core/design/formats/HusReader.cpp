// HUS: the shared header, a palette index per colour, then three compressed streams.
#include <algorithm>
#include <array>

#include "core/design/DesignLimits.h"
#include "core/design/formats/HusColours.h"
#include "core/design/formats/HusVipStitches.h"

namespace vireluna {
namespace {

constexpr std::uint16_t HusKind = 0x00C8;

// The fixed palette the indices select; an index beyond it is its first entry.
constexpr std::array<ColourValue, HusPaletteSize> HusPalette = {
    RgbColour(0, 0, 0),       RgbColour(0, 0, 231),     RgbColour(0, 198, 0),
    RgbColour(255, 0, 0),     RgbColour(132, 0, 132),   RgbColour(255, 255, 0),
    RgbColour(132, 132, 132), RgbColour(132, 132, 231), RgbColour(0, 255, 132),
    RgbColour(255, 123, 49),  RgbColour(255, 140, 165), RgbColour(132, 82, 0),
    RgbColour(255, 255, 255), RgbColour(0, 0, 132),     RgbColour(0, 132, 0),
    RgbColour(123, 0, 0),     RgbColour(255, 99, 132),  RgbColour(82, 41, 82),
    RgbColour(255, 0, 255),   RgbColour(255, 222, 0),   RgbColour(255, 255, 156),
    RgbColour(82, 82, 82),    RgbColour(214, 214, 214), RgbColour(255, 82, 8),
    RgbColour(255, 156, 90),  RgbColour(255, 82, 181),  RgbColour(255, 198, 222),
    RgbColour(82, 49, 0),     RgbColour(181, 165, 132),
};

bool HasHusSignature(const std::uint8_t* first, std::size_t size) {
    return HasHusVipSignature(first, size, HusKind);
}

bool ReadHus(DesignByteSource& source, RecordBuilder& records) {
    HusVipHeader header;
    if (!ReadHusVipHeader(source, HusKind, header)) return false;
    // Colours beyond what a design may hold are never shown.
    const std::size_t listed = std::min<std::size_t>(header.colours, MaxDesignColours);
    std::array<ColourValue, MaxDesignColours> colours;
    for (std::size_t i = 0; i < listed; ++i) {
        std::uint8_t index[2];
        if (!source.Take(index, sizeof index)) return false;
        colours[i] = index[1] == 0 ? HusColour(index[0]) : HusColour(HusPaletteSize);
    }
    return ReadHusVipStitches(source, header, colours.data(), listed, records);
}

}  // namespace

ColourValue HusColour(std::uint8_t index) {
    return HusPalette[index < HusPalette.size() ? index : 0];
}

const FormatRow HusFormat{"HUS", ".hus", HasHusSignature, true, ReadHus};

}  // namespace vireluna
