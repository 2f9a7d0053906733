#pragma once

#include <cstdint>

// Layout of a design file, shared by the reader and the writer used for fixtures and samples.
namespace vireluna {

// Header: little-endian signed 32-bit words at these offsets, then the colour list of thread
// numbers at ColourListOffset. The bytes between the words are not read.
inline constexpr int StreamOffsetOffset = 0;
inline constexpr int ColourCountOffset = 24;
inline constexpr int StitchCountOffset = 28;
inline constexpr int ColourListOffset = 116;
inline constexpr int HeaderWordBytes = 4;
inline constexpr int ThreadNumberBytes = 4;
// The first bytes of a file, enough to hold the three words above.
inline constexpr int HeaderCountsBytes = StitchCountOffset + HeaderWordBytes;

// Stitch stream: pairs of bytes, x first. A pair whose first byte is ControlByte carries a
// code in its second; every code but EndCode takes the next pair as its displacement.
inline constexpr int PairBytes = 2;
inline constexpr std::uint8_t ControlByte = 0x80;
inline constexpr std::uint8_t ColourChangeCode = 0x01;
inline constexpr std::uint8_t JumpCode = 0x02;
inline constexpr std::uint8_t EndCode = 0x10;

}  // namespace vireluna
