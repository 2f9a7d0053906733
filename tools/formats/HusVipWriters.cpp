// HUS and VIP: a header, the colours, then attribute, x and y streams, each compressed.
#include <algorithm>
#include <string>

#include "core/design/formats/VipColourKey.h"
#include "tools/formats/DesignPlan.h"
#include "tools/formats/PlanWalk.h"

namespace vireluna::formats {
namespace {

constexpr int SymbolBits = 9;
constexpr std::uint32_t EndSymbol = 510;
constexpr std::size_t LongestMatch = 256;
constexpr std::size_t ShortestMatch = 3;

constexpr std::uint8_t Stitch = 0x80;
constexpr std::uint8_t Jump = 0x81;
constexpr std::uint8_t ColourChange = 0x84;
constexpr std::uint8_t Trim = 0x88;
constexpr std::uint8_t End = 0x90;
constexpr int LongestMove = 127;

constexpr int DistanceSymbols = 11;  // offsets up to 1023: a 1024-byte window
constexpr int DistanceBits = 4;
constexpr std::size_t Window = 1024;
constexpr int ChainSteps = 64;

// The code tables of a block: every symbol 9 bits long, every distance code 4. The length
// code has one symbol, 11 (a length of 9), coded as a single 0 bit.
void PutTables(BitWriter& bits) {
    bits.Put(12, 5);                              // length code entries
    for (int i = 0; i < 3; ++i) bits.Put(0, 3);   // entries 0-2 unused
    bits.Put(3, 2);                               // skip 3-5
    for (int i = 6; i < 11; ++i) bits.Put(0, 3);  // entries 6-10 unused
    bits.Put(1, 3);                               // entry 11: one bit
    bits.Put(511, 9);                             // symbol lengths
    for (int i = 0; i < 511; ++i) bits.Put(0, 1);
    bits.Put(DistanceSymbols, 5);
    for (int i = 0; i < DistanceSymbols; ++i) bits.Put(DistanceBits, 3);
}

struct Symbol {
    std::uint32_t value;
    std::uint32_t offset;  // of a match: distance - 1
};

// Greedy LZ77 over a 1024-byte window, the longest match found along a short hash chain.
std::vector<Symbol> Symbols(const Bytes& data) {
    std::vector<Symbol> symbols;
    std::vector<int> head(1 << 16, -1);
    std::vector<int> previous(data.size(), -1);
    const auto hash = [&](std::size_t i) {
        return (data[i] << 8 ^ data[i + 1] << 4 ^ data[i + 2]) & 0xFFFF;
    };
    const auto insert = [&](std::size_t i) {
        if (i + 2 >= data.size()) return;
        previous[i] = head[hash(i)];
        head[hash(i)] = static_cast<int>(i);
    };
    for (std::size_t i = 0; i < data.size();) {
        std::size_t bestLength = 0;
        std::size_t bestOffset = 0;
        if (i + 2 < data.size()) {
            int candidate = head[hash(i)];
            for (int step = 0; step < ChainSteps && candidate >= 0; ++step) {
                const auto from = static_cast<std::size_t>(candidate);
                if (i - from > Window) break;
                std::size_t length = 0;
                while (i + length < data.size() && length < LongestMatch &&
                       data[from + length] == data[i + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestOffset = i - from - 1;
                }
                candidate = previous[from];
            }
        }
        if (bestLength >= ShortestMatch) {
            symbols.push_back({static_cast<std::uint32_t>(bestLength + 253),
                               static_cast<std::uint32_t>(bestOffset)});
            for (std::size_t k = 0; k < bestLength; ++k) insert(i + k);
            i += bestLength;
        } else {
            symbols.push_back({data[i], 0});
            insert(i);
            ++i;
        }
    }
    symbols.push_back({EndSymbol, 0});
    return symbols;
}

void PutSymbol(BitWriter& bits, const Symbol& symbol) {
    bits.Put(symbol.value, SymbolBits);
    if (symbol.value < 256 || symbol.value == EndSymbol) return;
    // Distance code d: offset 0, or 2^(d-1) plus d-1 more bits.
    int code = 0;
    while (code < DistanceSymbols && (symbol.offset >> code) != 0) ++code;
    bits.Put(static_cast<std::uint32_t>(code), DistanceBits);
    if (code > 1) bits.Put(symbol.offset - (1u << (code - 1)), code - 1);
}

struct Records {
    Bytes attributes, xs, ys;
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    int x = 0, y = 0;
    void Add(std::uint8_t attribute, int dx, int dy) {
        attributes.push_back(attribute);
        xs.push_back(static_cast<std::uint8_t>(dx & 0xFF));
        ys.push_back(static_cast<std::uint8_t>(dy & 0xFF));
        x += dx;
        y += dy;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

// Writer A's start, a trim; travel by jumps with a zero stitch where they land.
Records PlanRecords(const DesignPlan& plan) {
    Records records;
    records.Add(Trim, 0, 0);
    WalkPlan(
        plan, [&](int dx, int dy) { records.Add(Stitch, dx, dy); },
        [&](int dx, int dy) {
            ForEachLeg(dx, dy, LongestMove, [&](int x, int y, bool) { records.Add(Jump, x, y); });
            records.Add(Stitch, 0, 0);
        },
        [&] { records.Add(ColourChange, 0, 0); });
    records.Add(End, 0, 0);
    return records;
}

void PutLe(Bytes& bytes, std::size_t at, std::uint32_t value, int count) {
    if (bytes.size() < at + count) bytes.resize(at + count);
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The shared header and the colour bytes `colours`, then the three streams.
Bytes HusVipFile(const std::uint8_t signature[4], const Records& records, std::uint32_t colours,
                 const Bytes& colourBytes) {
    Bytes bytes(signature, signature + 4);
    PutLe(bytes, 0x04, static_cast<std::uint32_t>(records.attributes.size()), 4);
    PutLe(bytes, 0x08, colours, 4);
    PutLe(bytes, 0x0C, static_cast<std::uint32_t>(records.maxX), 2);
    PutLe(bytes, 0x0E, static_cast<std::uint32_t>(records.maxY), 2);
    PutLe(bytes, 0x10, static_cast<std::uint32_t>(records.minX), 2);
    PutLe(bytes, 0x12, static_cast<std::uint32_t>(records.minY), 2);
    bytes.resize(0x2A, 0);  // no name
    bytes.insert(bytes.end(), colourBytes.begin(), colourBytes.end());
    const std::size_t offsets[] = {0x14, 0x18, 0x1C};
    const Bytes* streams[] = {&records.attributes, &records.xs, &records.ys};
    for (int s = 0; s < 3; ++s) {
        PutLe(bytes, offsets[s], static_cast<std::uint32_t>(bytes.size()), 4);
        const Bytes compressed = CompressStream(*streams[s]);
        bytes.insert(bytes.end(), compressed.begin(), compressed.end());
    }
    return bytes;
}

}  // namespace

void BitWriter::Put(std::uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        if (used_ == 8) {
            bytes_.push_back(0);
            used_ = 0;
        }
        if ((value >> i & 1) != 0) bytes_.back() |= static_cast<std::uint8_t>(0x80 >> used_);
        ++used_;
    }
}

Bytes CompressStream(const Bytes& data, std::size_t blockSymbols) {
    const std::vector<Symbol> symbols = Symbols(data);
    BitWriter bits;
    for (std::size_t start = 0; start < symbols.size(); start += blockSymbols) {
        const std::size_t count = std::min(blockSymbols, symbols.size() - start);
        bits.Put(static_cast<std::uint32_t>(count), 16);
        PutTables(bits);
        for (std::size_t i = start; i < start + count; ++i) PutSymbol(bits, symbols[i]);
    }
    return bits.Finish();
}

Bytes HusWithRecords(const Bytes& attributes, const Bytes& xs, const Bytes& ys,
                     const std::vector<std::uint16_t>& paletteIndices) {
    constexpr std::uint8_t Signature[4] = {0x5D, 0xFC, 0xC8, 0x00};
    Records records;
    records.attributes = attributes;
    records.xs = xs;
    records.ys = ys;
    Bytes indices;
    for (const std::uint16_t index : paletteIndices) PutLe(indices, indices.size(), index, 2);
    return HusVipFile(Signature, records, static_cast<std::uint32_t>(paletteIndices.size()),
                      indices);
}

Bytes WriteHus(const DesignPlan& plan) {
    constexpr std::uint8_t Signature[4] = {0x5B, 0xAF, 0xC8, 0x00};
    Bytes indices;
    for (const PlanBlock& block : plan.blocks) indices.insert(indices.end(), {block.husIndex, 0});
    return HusVipFile(Signature, PlanRecords(plan), static_cast<std::uint32_t>(plan.blocks.size()),
                      indices);
}

Bytes WriteVip(const DesignPlan& plan) {
    constexpr std::uint8_t Signature[4] = {0x5D, 0xFC, 0x90, 0x01};
    const auto colours = static_cast<std::uint32_t>(plan.blocks.size());
    Bytes after;
    PutLe(after, 0, 0x2E + 8 * colours, 4);  // where the name's length is
    std::uint8_t previous = 0;
    std::size_t i = 0;
    for (const PlanBlock& block : plan.blocks) {
        for (const std::uint8_t plain : {block.red, block.green, block.blue, std::uint8_t{0}}) {
            previous = plain ^ VipColourKey[i++] ^ previous;
            after.push_back(previous);
        }
    }
    for (std::uint32_t c = 0; c < colours; ++c) PutLe(after, after.size(), 1, 4);
    PutLe(after, after.size(), 1, 4);  // an empty name: its terminating zero
    PutLe(after, after.size(), 0, 2);
    return HusVipFile(Signature, PlanRecords(plan), colours, after);
}

}  // namespace vireluna::formats
