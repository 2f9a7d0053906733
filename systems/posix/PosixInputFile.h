#pragma once

#include "core/ports/InputFile.h"

namespace vireluna {

// A file through a POSIX descriptor.
class PosixInputFile final : public InputFile {
  public:
    PosixInputFile() = default;
    ~PosixInputFile() override { Close(); }
    PosixInputFile(const PosixInputFile&) = delete;
    PosixInputFile& operator=(const PosixInputFile&) = delete;

    bool Open(const char* utf8Path) override;
    bool OpenExclusive(const char* utf8Path) override;
    std::size_t Read(void* buffer, std::size_t size) override;
    bool Failed() const override { return failed_; }
    void Close() override;
    bool IsOpen() const override { return handle_ != nullptr; }

  private:
    void* handle_ = nullptr;
    bool failed_ = false;
};

}  // namespace vireluna
