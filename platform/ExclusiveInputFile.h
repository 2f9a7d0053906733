#pragma once

#include <cstddef>

namespace vireluna {

// A file opened for reading with no sharing: opening fails while another program holds
// the file, so a check never reads a file that is being written.
class ExclusiveInputFile {
  public:
    ExclusiveInputFile() = default;
    ~ExclusiveInputFile() { Close(); }
    ExclusiveInputFile(const ExclusiveInputFile&) = delete;
    ExclusiveInputFile& operator=(const ExclusiveInputFile&) = delete;

    // utf8Path: a zero-terminated UTF-8 path. False when the file is missing, is not a
    // regular file, access is denied, or another program holds it.
    bool Open(const char* utf8Path);
    // Reads up to size bytes; returns how many were read, 0 at the end of the file or on error.
    std::size_t Read(void* buffer, std::size_t size);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }

  private:
    void* handle_ = nullptr;
};

}  // namespace vireluna
