#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"

namespace vireluna::win32 {
namespace {

struct FolderEntry {
    std::string utf8Name;
    bool folder;
};

// The names of one folder, sorted by their UTF-8 bytes as on every platform, read in one go
// so that only one search is open at a time however deep the tree. A folder that is a link
// (a junction or a symbolic link) is left out: it may lead back to a folder above it.
bool ReadFolder(const std::wstring& folder, std::vector<FolderEntry>& entries) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const DWORD attributes = found.dwFileAttributes;
        const bool folderEntry = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folderEntry && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) continue;
        if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) continue;
        std::string utf8Name;
        if (!Utf8FromWide(name, utf8Name)) continue;
        entries.push_back({std::move(utf8Name), folderEntry});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.utf8Name < b.utf8Name; });
    return true;
}

class FolderWalk {
  public:
    explicit FolderWalk(const std::function<bool(const std::string&)>& found) : found_(found) {}

    bool Walk(const std::string& utf8Folder) {
        std::wstring folder;
        if (!WideFromUtf8(utf8Folder, folder)) return false;
        while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) {
            folder.pop_back();
        }
        // "C:\" keeps its backslash in the paths it gives; only the search needs it cut.
        const std::string prefix =
            !utf8Folder.empty() && (utf8Folder.back() == '\\' || utf8Folder.back() == '/')
                ? utf8Folder
                : utf8Folder + '\\';
        std::vector<FolderEntry> entries;
        if (!ReadFolder(folder, entries)) return false;
        for (const FolderEntry& entry : entries) {
            if (stopped_) return true;
            const std::string path = prefix + entry.utf8Name;
            if (entry.folder) {
                Walk(path);  // one that cannot be read costs only itself
            } else if (!found_(path)) {
                stopped_ = true;
            }
        }
        return true;
    }

  private:
    const std::function<bool(const std::string&)>& found_;
    bool stopped_ = false;
};

}  // namespace

bool Win32FileSystem::ListFilesBelow(const std::string& utf8Folder,
                                     const std::function<bool(const std::string&)>& found) {
    if (utf8Folder.empty()) return false;
    return FolderWalk(found).Walk(utf8Folder);
}

}  // namespace vireluna::win32
