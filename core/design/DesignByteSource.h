#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/ports/InputFile.h"

namespace vireluna {

// Reads an open file forward through a fixed buffer kept inside the object, so that reading
// allocates nothing. The first bytes can be looked at before anything is taken, which is how a
// file's format is recognised without reading it twice.
class DesignByteSource {
  public:
    static constexpr std::size_t BufferBytes = 4096;

    explicit DesignByteSource(InputFile& file) : file_(file) {}

    // Makes up to `size` (at most BufferBytes) first bytes of the file available at First()
    // without taking them; returns how many the file has. Only before anything is taken.
    std::size_t PeekFirst(std::size_t size);
    const std::uint8_t* First() const { return buffer_; }

    // Copies up to size bytes to out, or skips them when out is null; returns how many the
    // file still had.
    std::uint64_t Read(std::uint8_t* out, std::uint64_t size);

    // The next `size` bytes, all of them or false.
    bool Take(std::uint8_t* out, std::size_t size) {
        if (filled_ - position_ >= size) {
            std::memcpy(out, buffer_ + position_, size);
            position_ += size;
            consumed_ += size;
            return true;
        }
        return Read(out, size) == size;
    }

    // Two bytes, the record of several formats: copied in place, which costs less than a
    // copy call for two bytes.
    bool ReadPair(std::uint8_t* pair) {
        if (filled_ - position_ < 2) return Read(pair, 2) == 2;
        pair[0] = buffer_[position_];
        pair[1] = buffer_[position_ + 1];
        position_ += 2;
        consumed_ += 2;
        return true;
    }

    bool TakeByte(std::uint8_t& byte) {
        if (position_ == filled_ && !Refill()) return false;
        byte = buffer_[position_++];
        ++consumed_;
        return true;
    }

    // The bytes buffered and not yet taken, for a reader's fast path: it may look at up to
    // Buffered() bytes at Next() and then take them with Advance.
    std::size_t Buffered() const { return filled_ - position_; }
    const std::uint8_t* Next() const { return buffer_ + position_; }
    void Advance(std::size_t size) {
        position_ += size;
        consumed_ += size;
    }

    // Bytes taken or skipped since the start of the file.
    std::uint64_t Position() const { return consumed_; }

    // A read failed: what was read is not the whole file, and the load must not stand.
    bool Failed() const { return file_.Failed(); }

  private:
    bool Refill();

    InputFile& file_;
    std::uint8_t buffer_[BufferBytes];
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    std::uint64_t consumed_ = 0;
};

}  // namespace vireluna
