#include "core/design/formats/LzHuffmanStream.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "core/design/ByteOrder.h"

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
    // The same, false when the input was overrun before it (checked only when it fills).
    bool EnsureWithin(int bits) {
        if (count_ >= bits) return true;
        Fill();
        return !Overrun();
    }

    // Two shifts, so that no bits is no special case.
    std::uint32_t Peek(int bits) const {
        return static_cast<std::uint32_t>((bits_ >> 1) >> (63 - bits));
    }
    [[gnu::always_inline]] void Drop(int bits) {
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
    // Leaves at least 57 bits; only with fewer (a shift by 64 would be undefined). Out of
    // line: it runs once in several reads.
    [[gnu::noinline]] void Fill() {
        if (padding_ == 0 && source_.Buffered() >= sizeof bits_ &&
            limit_ - std::min(limit_, source_.Position()) >= sizeof bits_) {
            // Eight bytes at once: the bits below count_ then already hold the bytes that
            // follow, so the next fill ORs the same bits in again.
            bits_ |= BigEndian64(source_.Next()) >> count_;
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

// A symbol and its code length in one word, as the look-up table keeps them:
// symbol << LengthBitsOfEntry | length, 0 for a code longer than the table.
constexpr int LengthBitsOfEntry = 5;
constexpr std::uint16_t LengthOfEntry = (1 << LengthBitsOfEntry) - 1;

constexpr std::uint16_t Entry(int symbol, int length) {
    return static_cast<std::uint16_t>(symbol << LengthBitsOfEntry | length);
}

// The lengths of one code as they are read, kept as the symbols of each length in
// increasing order: the code's order (by length, then symbol) is then these lists one after
// another, with no sort. The work is in proportion to the symbols used, not to those a block
// could have.
//
// Array indices in this decoder are unsigned where they run per symbol: a checked build
// tests a signed index for overflow three ways and an unsigned one once.
template <std::size_t Symbols>
struct CodeLengths {
    std::uint16_t symbols[MaxCodeLength + 1][Symbols];
    std::uint16_t* ends[MaxCodeLength + 1];

    CodeLengths() { Clear(); }
    void Clear() {
        for (std::size_t length = 0; length <= MaxCodeLength; ++length) {
            ends[length] = symbols[length];
        }
    }
    // A length from 1 to MaxCodeLength, for a symbol above those added before.
    [[gnu::always_inline]] void Add(int symbol, std::size_t length) {
        *ends[length]++ = static_cast<std::uint16_t>(symbol);
    }
    std::size_t Count(std::size_t length) const {
        return static_cast<std::size_t>(ends[length] - symbols[length]);
    }
};

// A canonical code: codes handed out by increasing length, then increasing symbol.
class HuffmanCode {
  public:
    // False when the lengths are over-full. A `lookupBits` of 0 leaves the table for
    // BuildLookup.
    template <std::size_t Symbols>
    bool Build(const CodeLengths<Symbols>& lengths, int lookupBits) {
        constant_ = -1;
        // Codes left free at each length; once negative it stays so, and it stays within int
        // (at most 511 codes a length), so one test at the end tells an over-full code.
        int left = 1;
        std::size_t first = 0;
        for (std::size_t length = 1; length <= MaxCodeLength; ++length) {
            const std::size_t count = lengths.Count(length);
            counts_[length] = static_cast<std::uint16_t>(count);
            left = left * 2 - static_cast<int>(count);
            // Each symbol has one length, so the lists fill at most the whole table. Most
            // lengths have none: they cost no call.
            if (count == 0) continue;
            std::memcpy(sorted_ + first, lengths.symbols[length], sizeof sorted_[0] * count);
            first += count;
        }
        if (left < 0) return false;
        if (lookupBits == 0) {
            // No table yet: every look-up falls to the bit by bit search.
            lookupBits_ = 0;
            lookup_[0] = 0;
        } else {
            BuildLookup(lookupBits);
        }
        return true;
    }

    // Fills the table of codes up to `lookupBits` long, for a code built without one. A
    // constant code needs none.
    void BuildLookup(int lookupBits) {
        if (constant_ >= 0) return;
        lookupBits_ = lookupBits;
        std::memset(lookup_, 0, sizeof lookup_[0] << lookupBits);
        std::uint32_t code = 0;
        std::size_t index = 0;
        for (int length = 1; length <= lookupBits; ++length) {
            const int span = 1 << (lookupBits - length);
            for (int i = 0; i < counts_[length]; ++i, ++index, ++code) {
                const std::uint16_t entry = Entry(sorted_[index], length);
                std::uint16_t* to = lookup_ + (code << (lookupBits - length));
                for (int k = 0; k < span; ++k) to[k] = entry;
            }
            code <<= 1;
        }
    }

    // The same from a length for each symbol, zero for those unused.
    bool Build(const std::uint8_t* lengths, int symbols, int lookupBits) {
        CodeLengths<DistanceSymbols> used;
        for (int s = 0; s < symbols; ++s) {
            if (lengths[s] != 0) used.Add(s, lengths[s]);
        }
        return Build(used, lookupBits);
    }

    // Every symbol is `symbol`, reading no bits.
    void BuildConstant(int symbol) { constant_ = symbol; }
    // The symbol of a code built by BuildConstant, else -1.
    int Constant() const { return constant_; }

    // The next symbol, or -1 for a code no symbol has. The reader must hold 16 bits.
    int Decode(BitReader& bits) const { return constant_ >= 0 ? constant_ : DecodeBits(bits); }

    // The same for a code that is not constant.
    [[gnu::always_inline]] int DecodeBits(BitReader& bits) const {
        const std::uint16_t entry = lookup_[bits.Peek(lookupBits_)];
        if ((entry & LengthOfEntry) != 0) {
            bits.Drop(entry & LengthOfEntry);
            return entry >> LengthBitsOfEntry;
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
                return sorted_[static_cast<std::size_t>(index + (code - first))];
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

  private:
    int constant_ = -1;
    int lookupBits_ = 0;
    std::uint16_t counts_[MaxCodeLength + 1] = {};  // how many codes have each length
    // Written by Build before any look-up reads them.
    std::uint16_t sorted_[SymbolCount];
    std::uint16_t lookup_[1 << LookupBits];  // entries, 0 for longer codes
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
    // The symbol code's lengths as read, kept for the stream rather than made for each block:
    // large, and a checked build marks a local this size anew at every call.
    CodeLengths<SymbolCount> symbolLengths;
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
    std::uint8_t lengths[LengthCodeSymbols] = {};
    for (int i = 0; i < count;) {
        const int length = ReadLengthNumber(bits);
        if (length < 0) return false;
        lengths[i++] = static_cast<std::uint8_t>(length);
        // The skipped slots count toward the count.
        if (i == SkipAfter) i += static_cast<int>(bits.Read(SkipBits));
    }
    return code.Build(lengths, LengthCodeSymbols, SmallLookupBits);
}

// How many unused symbols a length code value of ShortZeroRun or LongZeroRun stands for,
// its count read from the bits that follow.
int UnusedRun(BitReader& bits, int value) {
    return value == ShortZeroRun ? ShortZeroRunBase + static_cast<int>(bits.Read(ShortZeroRunBits))
                                 : LongZeroRunBase + static_cast<int>(bits.Read(LongZeroRunBits));
}

bool ReadSymbolCode(BitReader& bits, const HuffmanCode& lengthCode,
                    CodeLengths<SymbolCount>& lengths, HuffmanCode& code) {
    const int count = static_cast<int>(bits.Read(SymbolCountBits));
    if (count == 0) {
        const int constant = static_cast<int>(bits.Read(SymbolCountBits));
        if (constant >= SymbolCount) return false;
        code.BuildConstant(constant);
        return true;
    }
    lengths.Clear();
    const int constant = lengthCode.Constant();
    if (constant >= 0) {
        // A constant length code reads no bits but for its runs of unused symbols, so every
        // length is the same: set them at once rather than decode each.
        if (constant > LongZeroRun) {
            for (int i = 0; i < count; ++i)
                lengths.Add(i, static_cast<std::size_t>(constant - LengthBias));
        } else if (constant != 0) {
            for (int i = 0; i < count && !bits.Overrun();) i += UnusedRun(bits, constant);
        }
        return code.Build(lengths, 0);
    }
    for (int i = 0; i < count;) {
        // An overrun is caught when the bits are next filled, a few lengths later at most,
        // or after the last: checking each length would cost more than those few.
        if (!bits.EnsureWithin(MaxCodeLength + LongZeroRunBits)) return false;
        const int value = lengthCode.DecodeBits(bits);
        if (value > LongZeroRun) {
            lengths.Add(i++, static_cast<std::size_t>(value - LengthBias));
        } else if (value == 0) {
            ++i;
        } else if (value == ShortZeroRun || value == LongZeroRun) {
            i += UnusedRun(bits, value);
        } else {
            return false;  // a code no length has
        }
    }
    return !bits.Overrun() && code.Build(lengths, 0);
}

bool ReadDistanceCode(BitReader& bits, HuffmanCode& code) {
    const int count = static_cast<int>(bits.Read(DistanceCountBits));
    if (count == 0) {
        code.BuildConstant(static_cast<int>(bits.Read(DistanceCountBits)));
        return true;
    }
    std::uint8_t lengths[DistanceSymbols] = {};
    for (int i = 0; i < count; ++i) {
        const int length = ReadLengthNumber(bits);
        if (length < 0) return false;
        lengths[i] = static_cast<std::uint8_t>(length);
    }
    return code.Build(lengths, count, SmallLookupBits);
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
            !ReadSymbolCode(bits, codes.lengthCode, codes.symbolLengths, codes.symbols) ||
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
