#pragma once

#include "core/ports/InputFile.h"

namespace vireluna {

// True for what a design can be read from: a file on a disk (GetFileType), described as a file
// (GetFileInformationByHandle succeeded) that is neither a folder nor a device. A pipe, a
// console or a serial port is not: its read may wait for another program for ever.
bool IsPlainFile(unsigned long fileType, bool describedAsFile, unsigned long attributes);

// A file through a Windows file handle.
class Win32InputFile final : public InputFile {
  public:
    Win32InputFile() = default;
    ~Win32InputFile() override { Close(); }
    Win32InputFile(const Win32InputFile&) = delete;
    Win32InputFile& operator=(const Win32InputFile&) = delete;

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
