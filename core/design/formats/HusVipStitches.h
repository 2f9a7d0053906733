#pragma once

#include <cstddef>
#include <cstdint>

#include "core/design/FormatRow.h"

// What HUS and VIP share: the header's counts and stream offsets, the three compressed streams
// and the records they make.
namespace vireluna {

struct HusVipHeader {
    std::uint32_t records = 0;  // the end record included
    std::uint32_t colours = 0;
    std::uint32_t attributeOffset = 0;
    std::uint32_t xOffset = 0;
    std::uint32_t yOffset = 0;
};

// Bytes of the header the two formats share; each format's colours follow.
inline constexpr std::size_t HusVipHeaderBytes = 0x2A;

// True when the first bytes carry the signature of the format whose bytes 2-3 are `kind`.
bool HasHusVipSignature(const std::uint8_t* first, std::size_t size, std::uint16_t kind);

// Takes the shared header; false when it is cut or lacks the signature of `kind`.
bool ReadHusVipHeader(DesignByteSource& source, std::uint16_t kind, HusVipHeader& header);

// Decodes the three streams, the source standing at or before the first, and hands their
// records to the builder; block b takes colours[min(b, colourCount - 1)]. False when a stream
// is damaged, out of order, or holds more records than fit in the design without them
// filling it.
bool ReadHusVipStitches(DesignByteSource& source, const HusVipHeader& header,
                        const ColourValue* colours, std::size_t colourCount,
                        RecordBuilder& records);

}  // namespace vireluna
