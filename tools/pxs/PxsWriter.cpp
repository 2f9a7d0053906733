#include "tools/pxs/PxsWriter.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace vireluna::pxs {
namespace {

void PutInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < HeaderWordBytes; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

std::uint8_t ByteOf(int displacement) {
    return static_cast<std::uint8_t>(displacement & 0xFF);
}

// Calls step(sx, sy) for equal steps of at most MaxStep on either axis that together
// cover (dx, dy), so that no step needs a displacement the format cannot hold.
template <typename Step>
void ForEachStep(int dx, int dy, Step step) {
    const int longest = std::max(std::abs(dx), std::abs(dy));
    const int steps = std::max(1, (longest + MaxStep - 1) / MaxStep);
    int doneX = 0;
    int doneY = 0;
    for (int i = 1; i <= steps; ++i) {
        const int targetX = dx * i / steps;
        const int targetY = dy * i / steps;
        step(targetX - doneX, targetY - doneY);
        doneX = targetX;
        doneY = targetY;
    }
}

}  // namespace

PxsWriter::PxsWriter(std::vector<std::int32_t> threads) : threads_(std::move(threads)) {}

void PxsWriter::StitchTo(int x, int y) {
    ForEachStep(x - x_, y - y_, [this](int dx, int dy) { Move(dx, dy); });
}

void PxsWriter::JumpTo(int x, int y) {
    ForEachStep(x - x_, y - y_, [this](int dx, int dy) { Control(JumpCode, dx, dy); });
}

void PxsWriter::ColourChange() {
    Control(ColourChangeCode, 0, 0);
}

void PxsWriter::Pair(std::uint8_t first, std::uint8_t second) {
    stream_.push_back(first);
    stream_.push_back(second);
}

void PxsWriter::Move(int dx, int dy) {
    Pair(ByteOf(dx), ByteOf(dy));
    x_ += dx;
    y_ += dy;
    ++records_;
}

void PxsWriter::Control(std::uint8_t code, int dx, int dy) {
    Pair(ControlByte, code);
    Pair(ByteOf(dx), ByteOf(dy));
    x_ += dx;
    y_ += dy;
    ++records_;
}

void PxsWriter::End() {
    Pair(ControlByte, EndCode);
}

void PxsWriter::SetDeclaredColourCount(std::int32_t count) {
    hasDeclaredColourCount_ = true;
    declaredColourCount_ = count;
}

void PxsWriter::SetDeclaredStitchCount(std::int32_t count) {
    hasDeclaredStitchCount_ = true;
    declaredStitchCount_ = count;
}

void PxsWriter::SetGapBeforeStream(std::int32_t bytes) {
    gapBeforeStream_ = bytes;
}

void PxsWriter::SetStreamOffset(std::int32_t offset) {
    hasStreamOffset_ = true;
    streamOffset_ = offset;
}

std::vector<std::uint8_t> PxsWriter::Build() const {
    const auto listBytes = static_cast<std::int32_t>(ThreadNumberBytes * threads_.size());
    const std::int32_t streamOffset =
        hasStreamOffset_ ? streamOffset_ : ColourListOffset + listBytes + gapBeforeStream_;
    const std::int32_t padding = std::max<std::int32_t>(0, gapBeforeStream_);

    std::vector<std::uint8_t> bytes(ColourListOffset + listBytes + padding, 0);
    PutInt32(bytes, StreamOffsetOffset, streamOffset);
    PutInt32(bytes, ColourCountOffset,
             hasDeclaredColourCount_ ? declaredColourCount_
                                     : static_cast<std::int32_t>(threads_.size()));
    PutInt32(bytes, StitchCountOffset, hasDeclaredStitchCount_ ? declaredStitchCount_ : records_);
    for (std::size_t i = 0; i < threads_.size(); ++i) {
        PutInt32(bytes, ColourListOffset + ThreadNumberBytes * i, threads_[i]);
    }
    // The gap is filled with a marker byte so that a reader that fails to skip it shows up.
    std::fill(bytes.begin() + ColourListOffset + listBytes, bytes.end(), ControlByte);
    bytes.insert(bytes.end(), stream_.begin(), stream_.end());
    return bytes;
}

bool PxsWriter::WriteFile(const std::string& utf8Path) const {
    const std::vector<std::uint8_t> bytes = Build();
    // Through a path object, so that a name beyond ASCII is the same file on Windows too.
    std::ofstream file(std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end())),
                       std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

}  // namespace vireluna::pxs
