#include "drivers/win32/config/Win32FolderDialog.h"

#include <shlobj.h>

#include <string>
#include <vector>

#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

constexpr wchar_t PickerTitle[] = L"Choose the folder of designs to play";
// SHGetPathFromIDListW writes at most MAX_PATH characters.
constexpr std::size_t PathCharacters = MAX_PATH;

// Opens the picker at the folder in the field.
int CALLBACK OnPickerEvent(HWND picker, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start != 0) {
        SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, start);
    }
    return 0;
}

}  // namespace

std::optional<std::string> Win32FolderDialog::Choose(std::string_view utf8Current) {
    std::wstring start;
    if (!WideFromUtf8(utf8Current, start)) start.clear();
    BROWSEINFOW browse{};
    browse.hwndOwner = owner_;
    browse.lpszTitle = PickerTitle;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = OnPickerEvent;
    browse.lParam = start.empty() ? 0 : reinterpret_cast<LPARAM>(start.c_str());
    // The new style of the picker wants COM on this thread; it stays for the sheet's life.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    std::optional<std::string> path;
    if (chosen != nullptr) {
        std::vector<wchar_t> buffer(PathCharacters + 1, L'\0');
        std::string utf8;
        if (SHGetPathFromIDListW(chosen, buffer.data()) && Utf8FromWide(buffer.data(), utf8) &&
            !utf8.empty()) {
            path = utf8;
        }
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return path;
}

}  // namespace vireluna::win32
