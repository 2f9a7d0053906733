#include "systems/posix/PosixInputFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace vireluna {
namespace {
// The descriptor is kept shifted by one so that a null handle means "closed".
int Descriptor(void* handle) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)) - 1;
}

void* HandleOf(int fd) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(fd) + 1);
}

// Non-blocking, so that a FIFO without a writer or a device cannot hold the caller in open()
// (where a signal would only restart the wait); then only a regular file is kept, and for a
// plain open a folder, whose read fails as a read error. The open is not retried on EINTR:
// without blocking it cannot be interrupted.
int OpenFileOrFolder(const char* path, bool folderAllowed) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat status {};
    const bool usable = ::fstat(fd, &status) == 0 &&
                        (S_ISREG(status.st_mode) || (folderAllowed && S_ISDIR(status.st_mode)));
    if (!usable) {
        ::close(fd);
        return -1;
    }
    return fd;
}
}  // namespace

bool PosixInputFile::Open(const char* utf8Path) {
    Close();
    failed_ = false;
    const int fd = OpenFileOrFolder(utf8Path, true);
    if (fd < 0) return false;
    handle_ = HandleOf(fd);
    return true;
}

// POSIX has no share modes: an exclusive advisory lock is the nearest promise, refused while
// another program holds any lock on the file.
bool PosixInputFile::OpenExclusive(const char* utf8Path) {
    Close();
    failed_ = false;
    const int fd = OpenFileOrFolder(utf8Path, false);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    handle_ = HandleOf(fd);
    return true;
}

std::size_t PosixInputFile::Read(void* buffer, std::size_t size) {
    if (handle_ == nullptr) return 0;
    for (;;) {
        const ssize_t got = ::read(Descriptor(handle_), buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) {
            failed_ = true;
            return 0;
        }
    }
}

void PosixInputFile::Close() {
    if (handle_ == nullptr) return;
    ::close(Descriptor(handle_));  // also releases an exclusive lock
    handle_ = nullptr;
}

}  // namespace vireluna
