#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/ports/InputFile.h"

namespace vireluna {

// The bytes of a whole file already in memory, read as an InputFile under any name: for the
// fuzzers and benchmarks of the design readers. The bytes are not copied.
class MemoryInputFile final : public InputFile {
  public:
    MemoryInputFile(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Open(const char*) override {
        position_ = 0;
        open_ = true;
        return true;
    }
    bool OpenExclusive(const char* utf8Path) override { return Open(utf8Path); }
    std::size_t Read(void* buffer, std::size_t size) override {
        const std::size_t take = std::min(size, size_ - position_);
        if (take > 0) std::memcpy(buffer, bytes_ + position_, take);
        position_ += take;
        return take;
    }
    bool Failed() const override { return false; }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }

  private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool open_ = false;
};

}  // namespace vireluna
