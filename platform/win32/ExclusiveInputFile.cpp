#include "platform/ExclusiveInputFile.h"

#include <windows.h>

namespace vireluna {
namespace {
constexpr int WidePathCapacity = 1024;
}  // namespace

bool ExclusiveInputFile::Open(const char* utf8Path) {
    Close();
    wchar_t widePath[WidePathCapacity];
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path, -1, widePath,
                            WidePathCapacity) == 0) {
        return false;
    }
    // Share mode 0: fails with a sharing violation while any other handle is open.
    HANDLE file = CreateFileW(widePath, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = file;
    return true;
}

std::size_t ExclusiveInputFile::Read(void* buffer, std::size_t size) {
    if (handle_ == nullptr) return 0;
    constexpr std::size_t MaxChunk = 1u << 30;  // ReadFile takes a 32-bit count
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(handle_), buffer,
                  static_cast<DWORD>(size < MaxChunk ? size : MaxChunk), &got, nullptr)) {
        return 0;
    }
    return got;
}

void ExclusiveInputFile::Close() {
    if (handle_ == nullptr) return;
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

}  // namespace vireluna
