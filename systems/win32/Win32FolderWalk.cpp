#include <windows.h>

#include <string>
#include <vector>

#include "core/ports/FolderWalk.h"
#include "systems/win32/WideText.h"
#include "systems/win32/Win32FileSystem.h"

namespace vireluna::win32 {
namespace {

// The folder as the system calls take it: without the separators it may end with.
bool WideFolder(const std::string& utf8Folder, std::wstring& folder) {
    if (!WideFromUtf8(utf8Folder, folder)) return false;
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return true;
}

// The folder a path leads to, links followed; resolved, when given, gets its final path
// without the "\\\\?\\" prefix or a trailing separator.
bool IdentifyWide(std::wstring folder, FolderIdentity& identity, std::wstring* resolved) {
    // A drive's root keeps its backslash: "C:" alone is the drive's current folder.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    // Opening a folder needs backup semantics.
    const HANDLE handle =
        CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION information{};
    bool known = GetFileInformationByHandle(handle, &information) != 0 &&
                 (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (known && resolved != nullptr) {
        std::vector<wchar_t> path(MAX_PATH);
        DWORD length = GetFinalPathNameByHandleW(handle, path.data(), MAX_PATH, 0);
        if (length >= MAX_PATH) {
            path.resize(length + 1);
            length = GetFinalPathNameByHandleW(handle, path.data(), length + 1, 0);
        }
        known = length > 0 && length < path.size();
        if (known) {
            resolved->assign(path.data(), length);
            constexpr std::wstring_view longPrefix = L"\\\\?\\";
            if (resolved->starts_with(longPrefix)) resolved->erase(0, longPrefix.size());
            while (!resolved->empty() && resolved->back() == L'\\') resolved->pop_back();
        }
    }
    CloseHandle(handle);
    if (!known) return false;
    identity = {information.dwVolumeSerialNumber,
                (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
    return true;
}

class Win32Folders : public FolderSystem {
  public:
    bool ReadFolder(const std::string& utf8Folder, std::vector<FolderEntry>& entries) override {
        std::wstring folder;
        if (!WideFolder(utf8Folder, folder)) return false;
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return false;
        do {
            const std::wstring_view name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const DWORD attributes = found.dwFileAttributes;
            if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) continue;
            FolderEntry entry;
            if (!Utf8FromWide(name, entry.utf8Name)) continue;
            entry.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FolderEntry::Kind::Folder
                                                                      : FolderEntry::Kind::File;
            entry.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            entries.push_back(std::move(entry));
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return true;
    }

    bool Identify(const std::string& utf8Folder, FolderIdentity& identity) override {
        std::wstring folder;
        return WideFolder(utf8Folder, folder) && IdentifyWide(folder, identity, nullptr);
    }

    bool IsVolumeRoot(const std::string& utf8Folder) override {
        std::wstring folder;
        FolderIdentity identity;
        std::wstring resolved;
        if (!WideFolder(utf8Folder, folder) || !IdentifyWide(folder, identity, &resolved)) {
            return false;
        }
        // The folder above what the path leads to: none above a drive's root or a share, one
        // on another volume above a mounted one.
        const std::size_t cut = resolved.rfind(L'\\');
        if (cut == std::wstring::npos) return true;
        FolderIdentity parent;
        if (!IdentifyWide(resolved.substr(0, cut), parent, nullptr)) return true;
        return parent.volume != identity.volume;
    }

    std::string PathIn(const std::string& utf8Folder, const std::string& utf8Name) override {
        // "C:\" keeps its backslash in the paths it gives.
        const char last = utf8Folder.back();
        return last == '\\' || last == '/' ? utf8Folder + utf8Name : utf8Folder + '\\' + utf8Name;
    }
};

}  // namespace

bool Win32FileSystem::ListFilesBelow(const std::string& utf8Folder,
                                     const std::function<bool(const std::string&)>& found) {
    Win32Folders folders;
    return WalkFolder(folders, utf8Folder, found);
}

}  // namespace vireluna::win32
