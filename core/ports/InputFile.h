#pragma once

#include <cstddef>

namespace vireluna {

// A named file opened for reading in binary mode, read forward, closed. Opening and reading
// allocate nothing, so a design loads without touching the heap. Made by a FileSystem.
class InputFile {
  public:
    virtual ~InputFile() = default;

    // utf8Path: a zero-terminated UTF-8 path. False when the file cannot be opened, and at
    // once for a pipe, a device or anything else that is not a file or a folder: opening never
    // waits for another program.
    virtual bool Open(const char* utf8Path) = 0;
    // The same with no sharing: also false when the path is not a regular file or another
    // program holds the file, so a check never reads a file that is being written.
    virtual bool OpenExclusive(const char* utf8Path) = 0;
    // Reads up to size bytes; returns how many were read, 0 at the end of the file or on error.
    virtual std::size_t Read(void* buffer, std::size_t size) = 0;
    // True once a read has failed (a folder, a device error): unlike the end of the file,
    // the data that follows is unknown. Open clears it.
    virtual bool Failed() const = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
};

}  // namespace vireluna
