#include "core/design/formats/LzHuffmanStream.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vireluna {
namespace {

constexpr int MaxCodeLength = 16;
// Codes up to this long are decoded with one table look-up, longer ones bit by bit. The small
// tables decode a few hundred values a block: a shorter table is filled faster.
constexpr int LookupBits = 9;
constexpr int SmallLookupBits = 6;
// The symbol table is filled once a block has decoded this many symbols: a damaged block
// usually fails sooner, and a short one does not repay filling 512 entries.
constexpr std::uint32_t SymbolsBeforeLookup = 32;
constexpr int LengthCodeSymbols = 19;
constexpr int SymbolCount = 511;  // bytes 0-255, matches 256-509, the end 510
constexpr int DistanceSymbols = 32;
constexpr int EndSymbol = 510;
constexpr int FirstMatchSymbol = 256;
constexpr int MatchLengthBias = 253;  // symbol 256 copies 3 bytes
// A distance code beyond this reaches back further than any output held.
constexpr int MaxDistanceCode = 16;
// A symbol, its distance code and the distance's extra bits.
constexpr int LongestSymbolBits = MaxCodeLength * 2 + MaxDistanceCode - 1;

constexpr int BlockSymbolsBits = 16;
constexpr int LengthCodeCountBits = 5;
constexpr int SymbolCountBits = 9;
constexpr int DistanceCountBits = 5;
constexpr int LengthNumberBits = 3;
constexpr int LengthNumberEscape = 7;
constexpr int SkipAfter = 3;  // the length code table may skip slots after its third
constexpr int SkipBits = 2;
constexpr int ShortZeroRunBits = 4;
constexpr int ShortZeroRunBase = 3;
constexpr int LongZeroRunBits = 9;
constexpr int LongZeroRunBase = 20;
constexpr int ShortZeroRun = 1;  // length code values with a meaning of their own
constexpr int LongZeroRun = 2;
constexpr int LengthBias = 2;

struct BitState {
    std::uint64_t bits;
    int count;
    int padding;  // zero bits at the end of `bits` that the input does not have
};

// Refills near the end of the source's buffer, the limit or the file. Kept apart, and by
// value, so that the reader's state stays in registers on the common path.
BitState FillByBytes(DesignByteSource& source, std::uint64_t limit, BitState state) {
    while (state.count <= 56) {
        std::uint8_t byte = 0;
        if (state.padding == 0 && source.Position() < limit && source.TakeByte(byte)) {
            state.bits |= std::uint64_t{byte} << (56 - state.count);
        } else {
            state.padding += 8;
        }
        state.count += 8;
    }
    return state;
}

// Bits most significant first, at most `limit` (a file position) bytes in. Past the end it
// gives zero bits and remembers that it did: a decoder must then stop with an error.
class BitReader {
  public:
    BitReader(DesignByteSource& source, std::uint64_t limit) : source_(source), limit_(limit) {}

    // At least `bits` (up to 57) available to Peek afterwards.
    void Ensure(int bits) {
        if (count_ < bits) Fill();
    }

    std::uint32_t Peek(int bits) const {
        return bits == 0 ? 0 : static_cast<std::uint32_t>(bits_ >> (64 - bits));
    }
    void Drop(int bits) {
        bits_ <<= bits;
        count_ -= bits;
    }
    // Bits already there (see Ensure).
    std::uint32_t Take(int bits) {
        const std::uint32_t value = Peek(bits);
        Drop(bits);
        return value;
    }
    std::uint32_t Read(int bits) {
        Ensure(bits);
        return Take(bits);
    }
    // Padding grows with count_ once it starts, so a zero bit taken is never given back.
    bool Overrun() const { return count_ < padding_; }

  private:
    // Leaves at least 57 bits; only with fewer (a shift by 64 would be undefined).
    void Fill() {
        if (padding_ == 0 && source_.Buffered() >= sizeof bits_ &&
            limit_ - std::min(limit_, source_.Position()) >= sizeof bits_) {
            // Eight bytes at once: the bits below count_ then already hold the bytes that
            // follow, so the next fill ORs the same bits in again.
            std::uint64_t word = 0;
            for (std::size_t i = 0; i < sizeof word; ++i) word = word << 8 | source_.Next()[i];
            bits_ |= word >> count_;
            const int taken = (63 - count_) >> 3;
            source_.Advance(static_cast<std::size_t>(taken));
            count_ += taken * 8;
            return;
        }
        const BitState state = FillByBytes(source_, limit_, {bits_, count_, padding_});
        bits_ = state.bits;
        count_ = state.count;
        padding_ = state.padding;
    }

    DesignByteSource& source_;
    std::uint64_t limit_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
    int padding_ = 0;  // zero bits at the end of bits_ that the input does not have
};

using LengthCounts = std::array<std::uint16_t, MaxCodeLength + 1>;

// A canonical code: codes handed out by increasing length, then increasing symbol.
class HuffmanCode {
  public:
    // False when the lengths (each at most MaxCodeLength) are over-full. `used` lists, in
    // increasing order, the symbols whose length is not zero, and `counts` how many have each
    // length, both gathered as the lengths were read: the work is in proportion to the
    // symbols used, not to those a block could have. A `lookupBits` of 0 leaves the table
    // for BuildLookup.
    bool Build(const std::uint8_t* lengths, const std::uint16_t* used, int usedCount,
               const LengthCounts& counts, int lookupBits) {
        constant_ = -1;
        lookupBits_ = lookupBits;
        counts_ = counts;
        int left = 1;
        for (int length = 1; length <= MaxCodeLength; ++length) {
            left = left * 2 - counts_[length];
            if (left < 0) return false;
        }
        std::array<std::uint16_t, MaxCodeLength + 2> next{};
        for (int length = 1; length <= MaxCodeLength; ++length) {
            next[length + 1] = static_cast<std::uint16_t>(next[length] + counts_[length]);
        }
        for (int u = 0; u < usedCount; ++u) sorted_[next[lengths[used[u]]]++] = used[u];
        if (lookupBits == 0) {
            // No table yet: every look-up falls to the bit by bit search.
            lookup_[0] = 0;
        } else {
            BuildLookup(lookupBits);
        }
        return true;
    }

    // Fills the table of codes up to `lookupBits` long, for a code built without one.
    void BuildLookup(int lookupBits) {
        lookupBits_ = lookupBits;
        std::memset(lookup_.data(), 0, sizeof lookup_[0] << lookupBits);
        std::uint32_t code = 0;
        int index = 0;
        for (int length = 1; length <= lookupBits; ++length) {
            for (int i = 0; i < counts_[length]; ++i, ++index, ++code) {
                const std::uint32_t first = code << (lookupBits - length);
                const std::uint32_t last = (code + 1) << (lookupBits - length);
                const auto entry = static_cast<std::uint16_t>(sorted_[index] << 5 | length);
                std::fill(lookup_.begin() + first, lookup_.begin() + last, entry);
            }
            code <<= 1;
        }
    }

    // The same for lengths with zeros among them.
    bool Build(const std::uint8_t* lengths, int symbols, int lookupBits) {
        std::array<std::uint16_t, SymbolCount> used;
        int usedCount = 0;
        LengthCounts counts{};
        for (int s = 0; s < symbols; ++s) {
            if (lengths[s] != 0) used[usedCount++] = static_cast<std::uint16_t>(s);
            ++counts[lengths[s]];
        }
        counts[0] = 0;
        return Build(lengths, used.data(), usedCount, counts, lookupBits);
    }

    // Every symbol is `symbol`, reading no bits.
    void BuildConstant(int symbol) { constant_ = symbol; }
    // The symbol of a code built by BuildConstant, else -1.
    int Constant() const { return constant_; }

    // The next symbol, or -1 for a code no symbol has. The reader must hold 16 bits.
    int Decode(BitReader& bits) const {
        if (constant_ >= 0) return constant_;
        const std::uint16_t entry = lookup_[bits.Peek(lookupBits_)];
        if ((entry & 31) != 0) {
            bits.Drop(entry & 31);
            return entry >> 5;
        }
        const std::uint32_t peeked = bits.Peek(MaxCodeLength);
        int code = 0;
        int first = 0;
        int index = 0;
        for (int length = 1; length <= MaxCodeLength; ++length) {
            code |= static_cast<int>(peeked >> (MaxCodeLength - length)) & 1;
            const int count = counts_[length];
            if (code - count < first) {
                bits.Drop(length);
                return sorted_[index + (code - first)];
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

  private:
    int constant_ = -1;
    int lookupBits_ = LookupBits;
    LengthCounts counts_{};
    std::array<std::uint16_t, SymbolCount> sorted_{};
    std::array<std::uint16_t, 1 << LookupBits> lookup_{};  // symbol << 5 | length, 0 if longer
};

// Three bits, or 7 and one more for each 1 bit before a 0; -1 beyond the longest code.
int ReadLengthNumber(BitReader& bits) {
    int value = static_cast<int>(bits.Read(LengthNumberBits));
    if (value != LengthNumberEscape) return value;
    while (bits.Read(1) == 1) {
        if (++value > MaxCodeLength) return -1;
    }
    return value;
}

struct BlockCodes {
    HuffmanCode lengthCode;
    HuffmanCode symbols;
    HuffmanCode distances;
};

bool ReadLengthCode(BitReader& bits, HuffmanCode& code) {
    const int count = static_cast<int>(bits.Read(LengthCodeCountBits));
    if (count == 0) {
        const int constant = static_cast<int>(bits.Read(LengthCodeCountBits));
        if (constant >= LengthCodeSymbols) return false;
        code.BuildConstant(constant);
        return true;
    }
    if (count > LengthCodeSymbols) return false;
    std::array<std::uint8_t, LengthCodeSymbols> lengths{};
    for (int i = 0; i < count;) {
        const int length = ReadLengthNumber(bits);
        if (length < 0) return false;
        lengths[i++] = static_cast<std::uint8_t>(length);
        // The skipped slots count toward the count.
        if (i == SkipAfter) i += static_cast<int>(bits.Read(SkipBits));
    }
    return code.Build(lengths.data(), LengthCodeSymbols, SmallLookupBits);
}

bool ReadSymbolCode(BitReader& bits, const HuffmanCode& lengthCode, HuffmanCode& code) {
    const int count = static_cast<int>(bits.Read(SymbolCountBits));
    if (count == 0) {
        const int constant = static_cast<int>(bits.Read(SymbolCountBits));
        if (constant >= SymbolCount) return false;
        code.BuildConstant(constant);
        return true;
    }
    // Only the lengths of the symbols in `used` are set and read.
    std::array<std::uint8_t, SymbolCount> lengths;
    std::array<std::uint16_t, SymbolCount> used;
    int usedCount = 0;
    LengthCounts counts{};
    const int constant = lengthCode.Constant();
    if (constant == 0 || constant > LongZeroRun) {
        // A constant length code reads no bits, so every length is the same: set them at once
        // rather than decode each.
        if (constant != 0) {
            const auto length = static_cast<std::uint8_t>(constant - LengthBias);
            for (; usedCount < count; ++usedCount) {
                lengths[usedCount] = length;
                used[usedCount] = static_cast<std::uint16_t>(usedCount);
            }
            counts[length] = static_cast<std::uint16_t>(count);
        }
        return code.Build(lengths.data(), used.data(), usedCount, counts, 0);
    }
    for (int i = 0; i < count;) {
        bits.Ensure(MaxCodeLength);
        const int value = lengthCode.Decode(bits);
        if (value < 0 || bits.Overrun()) return false;
        if (value == 0) {
            ++i;
        } else if (value == ShortZeroRun) {
            i += ShortZeroRunBase + static_cast<int>(bits.Read(ShortZeroRunBits));
        } else if (value == LongZeroRun) {
            i += LongZeroRunBase + static_cast<int>(bits.Read(LongZeroRunBits));
        } else {
            used[usedCount++] = static_cast<std::uint16_t>(i);
            lengths[i++] = static_cast<std::uint8_t>(value - LengthBias);
            ++counts[value - LengthBias];
        }
    }
    return code.Build(lengths.data(), used.data(), usedCount, counts, 0);
}

bool ReadDistanceCode(BitReader& bits, HuffmanCode& code) {
    const int count = static_cast<int>(bits.Read(DistanceCountBits));
    if (count == 0) {
        code.BuildConstant(static_cast<int>(bits.Read(DistanceCountBits)));
        return true;
    }
    std::array<std::uint8_t, DistanceSymbols> lengths{};
    for (int i = 0; i < count; ++i) {
        const int length = ReadLengthNumber(bits);
        if (length < 0) return false;
        lengths[i] = static_cast<std::uint8_t>(length);
    }
    return code.Build(lengths.data(), count, SmallLookupBits);
}

// Copies `length` bytes from `distance` back, the copy running on over its own output.
void CopyMatch(std::uint8_t* to, std::size_t distance, std::size_t length) {
    if (distance == 1) {
        std::memset(to, to[-1], length);
        return;
    }
    // What is written repeats every `distance` bytes, so each copy may reach back twice as
    // far as the one before: a few memcpy calls rather than a byte at a time.
    for (std::size_t span = distance; length > 0; span *= 2) {
        const std::size_t n = std::min(span, length);
        std::memcpy(to, to - span, n);
        to += n;
        length -= n;
    }
}

// A distance code that reads no extra bits, or -1.
int DistanceOfNoBits(const HuffmanCode& distances) {
    const int code = distances.Constant();
    return code == 0 || code == 1 ? code + 1 : -1;
}

}  // namespace

bool DecodeLzHuffmanStream(DesignByteSource& source, std::uint64_t limit, std::uint8_t* out,
                           std::size_t size) {
    BitReader bits(source, limit);
    BlockCodes codes;
    std::size_t produced = 0;
    if (size == 0) return true;
    for (;;) {
        const std::uint32_t blockSymbols = bits.Read(BlockSymbolsBits);
        if (!ReadLengthCode(bits, codes.lengthCode) ||
            !ReadSymbolCode(bits, codes.lengthCode, codes.symbols) ||
            !ReadDistanceCode(bits, codes.distances) || bits.Overrun()) {
            return false;
        }
        // A block of one constant step that reads no bits is done at once: symbol by symbol a
        // few header bits could make tens of thousands of steps.
        const int constant = codes.symbols.Constant();
        const int constantDistance = DistanceOfNoBits(codes.distances);
        if (blockSymbols > 0 && constant >= 0 &&
            (constant < FirstMatchSymbol || constant == EndSymbol || constantDistance > 0)) {
            if (constant == EndSymbol) return false;
            const bool literal = constant < FirstMatchSymbol;
            const std::size_t step = literal ? 1 : constant - MatchLengthBias;
            const std::size_t length = std::min<std::size_t>(blockSymbols * step, size - produced);
            if (literal) {
                std::memset(out + produced, constant, length);
            } else {
                const auto distance = static_cast<std::size_t>(constantDistance);
                if (distance > produced) return false;
                CopyMatch(out + produced, distance, length);
            }
            produced += length;
            // The header was not overrun and nothing has been read since.
            if (produced == size) return true;
            continue;
        }
        for (std::uint32_t n = 0; n < blockSymbols; ++n) {
            if (n == SymbolsBeforeLookup) codes.symbols.BuildLookup(LookupBits);
            bits.Ensure(LongestSymbolBits);
            const int symbol = codes.symbols.Decode(bits);
            if (symbol < 0) return false;
            if (symbol < FirstMatchSymbol) {
                out[produced++] = static_cast<std::uint8_t>(symbol);
            } else if (symbol == EndSymbol) {
                // Fewer bytes than the records the header counts: the stream is cut.
                return false;
            } else {
                const int distanceCode = codes.distances.Decode(bits);
                if (distanceCode < 0 || distanceCode > MaxDistanceCode) return false;
                std::size_t distance = 1;
                if (distanceCode > 0) {
                    distance +=
                        (std::size_t{1} << (distanceCode - 1)) + bits.Take(distanceCode - 1);
                }
                if (distance > produced) return false;
                const std::size_t length =
                    std::min<std::size_t>(symbol - MatchLengthBias, size - produced);
                CopyMatch(out + produced, distance, length);
                produced += length;
            }
            // Past the input the bits are zeros and what they give is refused: stop at once
            // rather than run out a block of up to 65,535 symbols.
            if (bits.Overrun()) return false;
            if (produced == size) return true;
        }
    }
}

}  // namespace vireluna
