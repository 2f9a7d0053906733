#include "systems/win32/Win32InputFile.h"

#include <windows.h>

namespace vireluna {
namespace {
// Long enough for any path the profile can hold; kept on the stack so opening allocates nothing.
constexpr int WidePathCapacity = 1024;

bool OpenWithSharing(const char* utf8Path, DWORD shareMode, DWORD flags, void*& handle) {
    wchar_t widePath[WidePathCapacity];
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path, -1, widePath,
                            WidePathCapacity) == 0) {
        return false;
    }
    HANDLE file = CreateFileW(widePath, GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // A named pipe or a device (CON, COM1) opens, but its read could wait for ever.
    BY_HANDLE_FILE_INFORMATION information{};
    if (!IsPlainFile(GetFileType(file), GetFileInformationByHandle(file, &information) != 0,
                     information.dwFileAttributes)) {
        CloseHandle(file);
        return false;
    }
    handle = file;
    return true;
}
}  // namespace

bool IsPlainFile(unsigned long fileType, bool describedAsFile, unsigned long attributes) {
    return fileType == FILE_TYPE_DISK && describedAsFile &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool Win32InputFile::Open(const char* utf8Path) {
    Close();
    failed_ = false;
    return OpenWithSharing(utf8Path, FILE_SHARE_READ, FILE_FLAG_SEQUENTIAL_SCAN, handle_);
}

bool Win32InputFile::OpenExclusive(const char* utf8Path) {
    Close();
    failed_ = false;
    // Share mode 0: fails with a sharing violation while any other handle is open.
    return OpenWithSharing(utf8Path, 0, 0, handle_);
}

std::size_t Win32InputFile::Read(void* buffer, std::size_t size) {
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

void Win32InputFile::Close() {
    if (handle_ == nullptr) return;
    CloseHandle(static_cast<HANDLE>(handle_));
    handle_ = nullptr;
}

}  // namespace vireluna
