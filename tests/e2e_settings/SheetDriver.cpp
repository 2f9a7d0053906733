#include "tests/e2e_settings/SheetDriver.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <thread>

namespace vireluna::e2e {
namespace {

constexpr wchar_t DialogClass[] = L"#32770";
constexpr wchar_t ProfileKey[] = L"Software\\TessoranVireluna\\VirelunaLogo";
constexpr wchar_t ConfigKey[] = L"Software\\TessoranVireluna\\VirelunaLogo\\Config";
constexpr wchar_t FileListKey[] = L"Software\\TessoranVireluna\\VirelunaLogo\\Display File List";
// The message box's text control and the file dialog's file-name box.
constexpr int MessageBoxTextId = 0xFFFF;
constexpr int MessageBoxIconId = 0x440;
constexpr std::chrono::milliseconds IconPaintDeadline{3000};
constexpr int FileNameComboId = 0x47C;
constexpr int FileNameEditId = 0x480;
constexpr std::chrono::milliseconds PollInterval{50};
constexpr std::chrono::milliseconds QuietWhile{1500};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

struct Search {
    DWORD processId;
    std::function<bool(HWND)> wanted;
    HWND found = nullptr;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window) || !search.wanted(window)) {
        return TRUE;
    }
    search.found = window;
    return FALSE;
}

// Which icon the control shows, by the colours of its pixels on the screen; waits for the
// box to be painted.
BoxIconSeen IconOnScreen(HWND icon) {
    if (icon == nullptr || !IsWindowVisible(icon) || SendMessageW(icon, STM_GETICON, 0, 0) == 0) {
        return BoxIconSeen::None;
    }
    BoxIconSeen seen = BoxIconSeen::Other;
    WaitFor(
        [&] {
            RECT rect;
            GetWindowRect(icon, &rect);
            const HDC screen = GetDC(nullptr);
            int red = 0;
            int yellow = 0;
            for (LONG y = rect.top; y < rect.bottom; ++y) {
                for (LONG x = rect.left; x < rect.right; ++x) {
                    const COLORREF pixel = GetPixel(screen, x, y);
                    const bool strongRed = GetRValue(pixel) > 150 && GetBValue(pixel) < 100;
                    if (strongRed && GetGValue(pixel) < 100) ++red;
                    if (strongRed && GetGValue(pixel) > 150) ++yellow;
                }
            }
            ReleaseDC(nullptr, screen);
            const int enough = (rect.right - rect.left) * (rect.bottom - rect.top) / 8;
            if (red > enough) seen = BoxIconSeen::Stop;
            if (yellow > enough) seen = BoxIconSeen::Exclamation;
            return seen != BoxIconSeen::Other;
        },
        IconPaintDeadline);
    return seen;
}

HWND FindTopLevel(DWORD processId, const std::function<bool(HWND)>& wanted) {
    Search search{processId, wanted};
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HKEY OpenKey(const wchar_t* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

HKEY CreateKey(const wchar_t* path) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

std::wstring FileEntry(int number) {
    wchar_t name[16];
    swprintf(name, 16, L"File%02d", number);
    return name;
}

void PostClick(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(PollInterval);
    }
    return true;
}

SettingsProgram::SettingsProgram(const std::wstring& workingFolder) {
    std::wstring commandLine = L"\"" + WindowsPath(VIRELUNA_SETTINGS_EXE) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &process_)) {
        return;
    }
    WaitFor([this] {
        sheet_ = FindTopLevel(process_.dwProcessId, [](HWND window) {
            return ClassOf(window) == DialogClass &&
                   FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr) != nullptr;
        });
        return sheet_ != nullptr && Page(0) != nullptr;
    });
}

SettingsProgram::~SettingsProgram() {
    if (process_.hProcess == nullptr) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, INFINITE);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

HWND SettingsProgram::Page(int index) const {
    return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_INDEXTOHWND, index, 0));
}

HWND SettingsProgram::CurrentPage() const {
    return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void SettingsProgram::SelectPage(int index) const {
    PostMessageW(sheet_, PSM_SETCURSEL, index, 0);
}

bool SettingsProgram::ShowPage(int index) const {
    SelectPage(index);
    return WaitFor([&] { return CurrentPage() == Page(index); });
}

void SettingsProgram::PressOk() const {
    PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

void SettingsProgram::PressApply() const {
    PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
}

void SettingsProgram::PressCancel() const {
    PostMessageW(sheet_, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

void SettingsProgram::Click(int page, int id) const {
    PostClick(Control(page, id));
}

void SettingsProgram::SetText(int page, int id, const std::wstring& text) const {
    SendMessageW(Control(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring SettingsProgram::Text(int page, int id) const {
    return TextOf(Control(page, id));
}

bool SettingsProgram::IsChecked(int page, int id) const {
    return SendMessageW(Control(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool SettingsProgram::IsApplyEnabled() const {
    // The sheet's own Apply button.
    constexpr int ApplyButtonId = 0x3021;
    return IsWindowEnabled(GetDlgItem(sheet_, ApplyButtonId)) != FALSE;
}

std::vector<std::wstring> SettingsProgram::ListEntries() const {
    constexpr int ListId = 1013;
    const HWND list = Control(0, ListId);
    // The program may still be adding or deleting entries while they are read: an entry
    // that vanished between the count and its text means reading the whole list again.
    for (;;) {
        std::vector<std::wstring> entries;
        const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        bool changed = count == LB_ERR;
        for (LRESULT i = 0; i < count && !changed; ++i) {
            const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
            if (length == LB_ERR) {
                changed = true;
                break;
            }
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            const LRESULT got =
                SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            changed = got == LB_ERR || got > length;
            text.resize(changed ? 0 : static_cast<std::size_t>(got));
            entries.push_back(text);
        }
        if (!changed) return entries;
    }
}

void SettingsProgram::SelectListEntries(const std::vector<int>& indexes) const {
    constexpr int ListId = 1013;
    const HWND list = Control(0, ListId);
    SendMessageW(list, LB_SETSEL, FALSE, -1);
    for (const int index : indexes) SendMessageW(list, LB_SETSEL, TRUE, index);
}

HWND SettingsProgram::FindOwnedDialog(HWND exclude) const {
    return FindTopLevel(process_.dwProcessId, [this, exclude](HWND window) {
        return window != sheet_ && window != exclude && ClassOf(window) == DialogClass;
    });
}

std::optional<MessageBoxSeen> SettingsProgram::CloseMessageBox() const {
    HWND box = nullptr;
    if (!WaitFor([&] {
            box = FindOwnedDialog(nullptr);
            return box != nullptr && GetDlgItem(box, MessageBoxTextId) != nullptr;
        })) {
        return std::nullopt;
    }
    MessageBoxSeen seen{TextOf(box), TextOf(GetDlgItem(box, MessageBoxTextId)),
                        IconOnScreen(GetDlgItem(box, MessageBoxIconId))};
    PostClick(GetDlgItem(box, IDOK));
    WaitFor([box] { return !IsWindow(box); });
    return seen;
}

bool SettingsProgram::NoMessageBox() const {
    return !WaitFor([this] { return FindOwnedDialog(nullptr) != nullptr; }, QuietWhile);
}

HWND SettingsProgram::WaitForFileDialog() const {
    HWND dialog = nullptr;
    WaitFor([&] {
        dialog = FindOwnedDialog(nullptr);
        return dialog != nullptr && GetDlgItem(dialog, MessageBoxTextId) == nullptr;
    });
    return dialog;
}

void SettingsProgram::ChooseInFileDialog(HWND dialog, const std::wstring& typedNames) const {
    HWND name = GetDlgItem(dialog, FileNameComboId);
    if (name == nullptr) name = GetDlgItem(dialog, FileNameEditId);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typedNames.c_str()));
    PostClick(GetDlgItem(dialog, IDOK));
    WaitFor([dialog] { return !IsWindow(dialog); });
}

void SettingsProgram::CancelFileDialog(HWND dialog) const {
    PostClick(GetDlgItem(dialog, IDCANCEL));
    WaitFor([dialog] { return !IsWindow(dialog); });
}

HWND SettingsProgram::FocusedWindow() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(process_.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
}

std::optional<DWORD> SettingsProgram::WaitForExit() const {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(Deadline.count())) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD status = 0;
    GetExitCodeProcess(process_.hProcess, &status);
    return status;
}

void Profile::Clear() {
    RegDeleteTreeW(HKEY_CURRENT_USER, ProfileKey);
}

void Profile::SetInteger(const wchar_t* entry, DWORD value) {
    const HKEY key = CreateKey(ConfigKey);
    RegSetValueExW(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void Profile::SetFile(int number, const std::wstring& path) {
    SetListString(FileEntry(number).c_str(), path);
}

void Profile::SetListString(const wchar_t* entry, const std::wstring& text) {
    const HKEY key = CreateKey(FileListKey);
    RegSetValueExW(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

std::optional<DWORD> Profile::Integer(const wchar_t* entry) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, ConfigKey, entry, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::wstring> Profile::File(int number) {
    return ListString(FileEntry(number).c_str());
}

std::optional<std::wstring> Profile::ListString(const wchar_t* entry) {
    wchar_t value[1024];
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, FileListKey, entry, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(value);
}

bool Profile::HasAnyValue() {
    for (const wchar_t* path : {ConfigKey, FileListKey}) {
        const HKEY key = OpenKey(path);
        if (key == nullptr) continue;
        DWORD values = 0;
        RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
        if (values > 0) return true;
    }
    return false;
}

DesignFolder::DesignFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"vireluna-settings-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(GetTickCount());
    CreateDirectoryW(path_.c_str(), nullptr);
}

DesignFolder::~DesignFolder() {
    std::wstring pattern = path_ + L"\\*";
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW(FullPath(found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

std::wstring DesignFolder::Design(const std::wstring& name, int colours, int stitches) const {
    const std::wstring path = FullPath(name);
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    const char zeros[24] = {};
    out.write(zeros, sizeof zeros);
    const std::int32_t words[2] = {colours, stitches};
    out.write(reinterpret_cast<const char*>(words), sizeof words);
    return path;
}

std::wstring WindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:";
    for (const char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

std::string Narrow(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), size,
                        nullptr, nullptr);
    return narrow;
}

}  // namespace vireluna::e2e
