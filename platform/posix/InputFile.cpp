#include "platform/InputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace vireluna {
namespace {
// The descriptor is kept shifted by one so that a null handle means "closed".
int Descriptor(void* handle) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)) - 1;
}
}  // namespace

bool InputFile::Open(const char* utf8Path) {
    Close();
    failed_ = false;
    int fd;
    do {
        fd = ::open(utf8Path, O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return false;
    handle_ = reinterpret_cast<void*>(static_cast<std::intptr_t>(fd) + 1);
    return true;
}

std::size_t InputFile::Read(void* buffer, std::size_t size) {
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

void InputFile::Close() {
    if (handle_ == nullptr) return;
    ::close(Descriptor(handle_));
    handle_ = nullptr;
}

}  // namespace vireluna
