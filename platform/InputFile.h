#pragma once

#include <cstddef>

namespace vireluna {

// Open a named file for reading in binary mode, read forward, close. Opening and
// reading allocate nothing, so a design loads without touching the heap.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile() { Close(); }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // utf8Path: a zero-terminated UTF-8 path. False when the file cannot be opened.
    bool Open(const char* utf8Path);
    // The same with no sharing: also false when the path is not a regular file or another
    // program holds the file, so a check never reads a file that is being written.
    bool OpenExclusive(const char* utf8Path);
    // Reads up to size bytes; returns how many were read, 0 at the end of the file or on error.
    std::size_t Read(void* buffer, std::size_t size);
    // True once a read has failed (a folder, a device error): unlike the end of the file,
    // the data that follows is unknown. Open clears it.
    bool Failed() const { return failed_; }
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }

  private:
    void* handle_ = nullptr;
    bool failed_ = false;
};

}  // namespace vireluna
