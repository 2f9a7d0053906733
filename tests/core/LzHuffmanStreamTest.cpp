// The HUS/VIP stream decoder on streams built bit by bit: each kind of code table, matches
// that overlap their output, and every way a stream can be damaged.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "core/design/formats/LzHuffmanStream.h"
#include "core/ports/MemoryInputFile.h"
#include "tools/formats/DesignPlan.h"

namespace vireluna {
namespace {

using formats::BitWriter;
using formats::Bytes;

constexpr std::uint64_t NoLimit = std::numeric_limits<std::uint64_t>::max();

// The decoded bytes, or nothing when the stream is refused.
std::optional<Bytes> Decode(const Bytes& stream, std::size_t size, std::uint64_t limit = NoLimit) {
    MemoryInputFile file(stream.data(), stream.size());
    file.Open("stream");
    DesignByteSource source(file);
    Bytes out(size);
    if (!DecodeLzHuffmanStream(source, limit, out.data(), out.size())) return std::nullopt;
    return out;
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

void LengthNumber(BitWriter& bits, int value) {
    if (value < 7) {
        bits.Put(value, 3);
        return;
    }
    bits.Put(7, 3);
    for (int i = 7; i < value; ++i) bits.Put(1, 1);
    bits.Put(0, 1);
}

// Length code entries 2 -> 1 bit "0", 4 -> "10", 5 -> "11": value 2 is a long run of unused
// symbols, 4 a length of 2, 5 a length of 3. Entry 3 is skipped after the third.
void PutLengthCode(BitWriter& bits) {
    bits.Put(6, 5);
    LengthNumber(bits, 0);
    LengthNumber(bits, 0);
    LengthNumber(bits, 1);
    bits.Put(1, 2);
    LengthNumber(bits, 2);
    LengthNumber(bits, 2);
}
void PutUnused(BitWriter& bits, int count) {  // count >= 20
    bits.Put(0, 1);
    bits.Put(count - 20, 9);
}

// Symbols 'a', 'b', 'c' of 2 bits (00, 01, 10), the 3-byte match 256 and the end of 3 bits
// (110, 111): a complete code. Distances 0 -> "0", 1 -> "10", 2 -> "11".
BitWriter AbcHeader(int symbols) {
    BitWriter bits;
    bits.Put(symbols, 16);
    PutLengthCode(bits);
    bits.Put(511, 9);
    PutUnused(bits, 'a');
    for (int i = 0; i < 3; ++i) bits.Put(2, 2);  // length 2
    PutUnused(bits, 256 - 'd');
    bits.Put(3, 2);  // symbol 256: length 3
    PutUnused(bits, 510 - 257);
    bits.Put(3, 2);  // the end: length 3
    bits.Put(3, 5);
    LengthNumber(bits, 1);
    LengthNumber(bits, 2);
    LengthNumber(bits, 2);
    return bits;
}

TEST(LzHuffmanStream, CompleteCodesWithMatchesAtCodedDistances) {
    BitWriter bits = AbcHeader(6);
    bits.Put(0b00, 2);   // a
    bits.Put(0b01, 2);   // b
    bits.Put(0b10, 2);   // c
    bits.Put(0b110, 3);  // 3 bytes from distance 2^1 + 0 + 1 = 3
    bits.Put(0b11, 2);
    bits.Put(0, 1);
    bits.Put(0b110, 3);  // 3 bytes from distance 1, overlapping the copy
    bits.Put(0b0, 1);
    bits.Put(0b111, 3);  // the end
    const Bytes stream = bits.Finish();
    EXPECT_EQ(Decode(stream, 9), Text("abcabcccc"));
    // The end before the header's count: the stream lost bytes.
    EXPECT_EQ(Decode(stream, 10), std::nullopt);
    // The count reached first: what follows is not read.
    EXPECT_EQ(Decode(stream, 4), Text("abca"));
    // The stream may not run into the next one.
    EXPECT_EQ(Decode(stream, 9, stream.size() - 1), std::nullopt);
    EXPECT_EQ(Decode(stream, 9, stream.size()), Text("abcabcccc"));
}

TEST(LzHuffmanStream, DamagedStreamsAreRefused) {
    // A match reaching back before the first byte.
    BitWriter before = AbcHeader(2);
    before.Put(0b00, 2);
    before.Put(0b110, 3);
    before.Put(0b10, 2);  // distance 2
    EXPECT_EQ(Decode(before.Finish(), 4), std::nullopt);

    // Cut anywhere: the input ends before the count.
    BitWriter whole = AbcHeader(4);
    for (int i = 0; i < 3; ++i) whole.Put(0b01, 2);
    whole.Put(0b111, 3);
    const Bytes stream = whole.Finish();
    ASSERT_EQ(Decode(stream, 3), Text("bbb"));
    for (std::size_t size = 0; size < stream.size(); ++size) {
        EXPECT_EQ(Decode(Bytes(stream.begin(), stream.begin() + size), 3), std::nullopt) << size;
    }

    // Over-full: three symbols of one bit.
    BitWriter overFull;
    overFull.Put(1, 16);
    overFull.Put(4, 5);
    for (int i = 0; i < 3; ++i) LengthNumber(overFull, 1);
    overFull.Put(0, 2);
    LengthNumber(overFull, 0);
    overFull.Put(0, 9);  // a constant symbol code: the length code alone is over-full
    overFull.Put('z', 9);
    overFull.Put(0, 10);
    EXPECT_EQ(Decode(overFull.Finish(), 1), std::nullopt);

    // A code no symbol has: 'a' and the end are 2 bits (00, 01); 10 and 11 are unused.
    BitWriter underFull;
    underFull.Put(3, 16);
    PutLengthCode(underFull);
    underFull.Put(511, 9);
    PutUnused(underFull, 'a');
    underFull.Put(0b10, 2);
    PutUnused(underFull, 510 - 'b');
    underFull.Put(0b10, 2);
    underFull.Put(0, 10);
    BitWriter good = underFull;
    good.Put(0b00, 2);
    good.Put(0b00, 2);
    good.Put(0b01, 2);
    EXPECT_EQ(Decode(good.Finish(), 2), Text("aa"));
    underFull.Put(0b00, 2);
    underFull.Put(0b11, 2);
    EXPECT_EQ(Decode(underFull.Finish(), 2), std::nullopt);

    // A length number beyond the longest code.
    BitWriter tooLong;
    tooLong.Put(1, 16);
    tooLong.Put(1, 5);
    LengthNumber(tooLong, 17);
    EXPECT_EQ(Decode(tooLong.Finish(), 1), std::nullopt);
}

TEST(LzHuffmanStream, ConstantCodesReadNoBits) {
    // Every length code value 5 (length 3): symbols 0-7 of 3 bits each, a complete code.
    BitWriter lengths;
    lengths.Put(3, 16);
    lengths.Put(0, 5);
    lengths.Put(5, 5);
    lengths.Put(8, 9);
    lengths.Put(0, 10);
    lengths.Put(1, 3);
    lengths.Put(2, 3);
    lengths.Put(7, 3);
    EXPECT_EQ(Decode(lengths.Finish(), 3), (Bytes{1, 2, 7}));

    // A block whose every symbol is 'x', then one whose every symbol is a match of 256 bytes at
    // distance 1: it copies its own output.
    BitWriter symbols;
    symbols.Put(2, 16);
    symbols.Put(0, 10);
    symbols.Put(0, 9);
    symbols.Put('x', 9);
    symbols.Put(0, 10);
    symbols.Put(2, 16);
    symbols.Put(0, 10);
    symbols.Put(0, 9);
    symbols.Put(509, 9);  // a match of 256
    symbols.Put(0, 10);
    Bytes expected(258, 'x');
    EXPECT_EQ(Decode(symbols.Finish(), 258), expected);
}

// A block header whose symbol and distance codes are constant, after a constant length code.
void PutConstantBlock(BitWriter& bits, int symbols, int symbol, int distanceCode) {
    bits.Put(symbols, 16);
    bits.Put(0, 10);
    bits.Put(0, 9);
    bits.Put(symbol, 9);
    bits.Put(0, 5);
    bits.Put(distanceCode, 5);
}

Bytes Repeating(const std::string& pattern, std::size_t size) {
    Bytes bytes;
    while (bytes.size() < size) bytes.push_back(pattern[bytes.size() % pattern.size()]);
    return bytes;
}

TEST(LzHuffmanStream, BlocksOfOneRepeatedStepCopyTheirOwnOutput) {
    const auto abcThen = [](auto more) {
        BitWriter bits = AbcHeader(3);
        bits.Put(0b00, 2);
        bits.Put(0b01, 2);
        bits.Put(0b10, 2);
        more(bits);
        return bits.Finish();
    };
    // 100 matches of 12 bytes at distance 2, cut by the count, then a block of 'x's.
    const Bytes atTwo = abcThen([](BitWriter& bits) {
        PutConstantBlock(bits, 100, 256 + 9, 1);
        PutConstantBlock(bits, 4, 'x', 0);
    });
    const auto aThenBc = [](std::size_t bcs) {
        Bytes bytes = Text("a");
        const Bytes tail = Repeating("bc", bcs);
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    };
    EXPECT_EQ(Decode(atTwo, 1200), aThenBc(1199));
    Bytes withXs = aThenBc(1202);
    withXs.insert(withXs.end(), 4, 'x');
    EXPECT_EQ(Decode(atTwo, 1207), withXs);
    EXPECT_EQ(Decode(atTwo, 1208), std::nullopt);  // the input ends first

    // Matches of 256 at distance 3, its extra bit read per symbol: the copy reaches further
    // back than its own start many times over.
    const Bytes atThree = abcThen([](BitWriter& bits) {
        PutConstantBlock(bits, 2, 509, 2);
        bits.Put(0, 1);
        bits.Put(0, 1);
    });
    EXPECT_EQ(Decode(atThree, 3 + 512), Repeating("abc", 3 + 512));
    // More such symbols than are decoded before a code's table is filled, in a stream whose
    // codes were all constant: there is no table to fill.
    BitWriter manyAtThree;
    PutConstantBlock(manyAtThree, 3, 'a', 0);
    PutConstantBlock(manyAtThree, 40, 256, 2);
    for (int i = 0; i < 40; ++i) manyAtThree.Put(0, 1);
    EXPECT_EQ(Decode(manyAtThree.Finish(), 3 + 40 * 3), Repeating("a", 3 + 40 * 3));

    // A repeated match before there is enough output, the end as the repeated step, and an
    // empty block of ends that is passed over.
    BitWriter early;
    PutConstantBlock(early, 1, 'a', 0);
    PutConstantBlock(early, 5, 256, 1);
    EXPECT_EQ(Decode(early.Finish(), 4), std::nullopt);
    BitWriter ends;
    PutConstantBlock(ends, 0, 510, 0);
    PutConstantBlock(ends, 2, 'q', 0);
    const Bytes endsStream = ends.Finish();
    EXPECT_EQ(Decode(endsStream, 2), Text("qq"));
    BitWriter endNow;
    PutConstantBlock(endNow, 1, 510, 0);
    EXPECT_EQ(Decode(endNow.Finish(), 1), std::nullopt);
}

TEST(LzHuffmanStream, WriterStreamsAcrossBlocks) {
    Bytes data;
    for (int i = 0; i < 3000; ++i) {
        data.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? i * 13 : 0x81));
    }
    data.insert(data.end(), 600, 0x80);
    // Small blocks: each header follows the last symbol, not a byte boundary.
    for (std::size_t block : {std::size_t{5}, std::size_t{26624}}) {
        const Bytes stream = formats::CompressStream(data, block);
        EXPECT_EQ(Decode(stream, data.size()), data) << block;
    }
}

}  // namespace
}  // namespace vireluna
