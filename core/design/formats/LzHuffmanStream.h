#pragma once

#include <cstddef>
#include <cstdint>

#include "core/design/DesignByteSource.h"

namespace vireluna {

// Decodes one compressed stream of the HUS and VIP formats (LZ77 with a 1024-byte window and
// static canonical Huffman codes sent with each block) from the source's position into
// out[0, size). It stops at the end symbol or once `size` bytes are out; it never reads the
// file at or past `limit` (where the next stream starts). False when the stream is damaged:
// it ends early, its input runs out, a code is over-full or an unused code is met, or a match
// reaches back before the start of the output. Allocates nothing.
bool DecodeLzHuffmanStream(DesignByteSource& source, std::uint64_t limit, std::uint8_t* out,
                           std::size_t size);

}  // namespace vireluna
