#include "platform/InputFile.h"

#include <windows.h>

namespace vireluna {
namespace {
// Long enough for any path the profile can hold; kept on the stack so opening allocates nothing.
constexpr int WidePathCapacity = 1024;
}  // namespace

bool InputFile::Open(const char* utf8Path) {
    Close();
    failed_ = false;
    wchar_t widePath[WidePathCapacity];
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path, -1, widePath,
                            WidePathCapacity) == 0) {
        return false;
    }
    HANDLE file = CreateFileW(widePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = file;
    return true;
}

std::size_t InputFile::Read(void* buffer, std::size_t size) {
    if (handle_ == nullptr) return 0;
    constexpr std::size_t MaxChunk = 1u << 30;  // ReadFile takes a 32-bit count
    DWORD got = 0;
    if (!ReadFile(static_cast<HANDLE>(handle_), buffer,
                  static_cast<DWORD>(size < MaxChunk ? size : MaxChunk), &got, nullptr)) {
        failed_ = true;
        return 0;
    }
    return got;
}

void InputFile::Close() {
    if (handle_ == nullptr) return;
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

}  // namespace vireluna
