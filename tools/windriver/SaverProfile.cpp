#include "tools/windriver/SaverProfile.h"

#include <windows.h>

#include <cstdio>

namespace vireluna::e2e {

namespace {

constexpr wchar_t CompanyKey[] = L"Software\\TessoranVireluna";
constexpr wchar_t ApplicationKey[] = L"Software\\TessoranVireluna\\VirelunaLogo";
constexpr wchar_t ConfigSection[] = L"Config";
constexpr wchar_t FileListSection[] = L"Display File List";
constexpr int MaxNameLength = 256;

HKEY CreateSection(const std::wstring& section) {
    const std::wstring path = std::wstring(ApplicationKey) + L"\\" + section;
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    return key;
}

std::wstring DescribeValue(DWORD type, const std::vector<BYTE>& data) {
    std::wstring text = std::to_wstring(type) + L":";
    for (const BYTE byte : data) {
        wchar_t hex[3];
        std::swprintf(hex, 3, L"%02x", byte);
        text += hex;
    }
    return text;
}

void Collect(HKEY parent, const std::wstring& path, SaverProfile::Snapshot& snapshot) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD index = 0;; ++index) {
        wchar_t name[MaxNameLength];
        DWORD nameLength = MaxNameLength;
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size);
        nameLength = MaxNameLength;
        RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size);
        snapshot[path + L"\\" + name] = DescribeValue(type, data);
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[MaxNameLength];
        DWORD nameLength = MaxNameLength;
        if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        Collect(HKEY_CURRENT_USER, path + L"\\" + name, snapshot);
    }
    RegCloseKey(key);
}

}  // namespace

void SaverProfile::Reset() {
    RegDeleteTreeW(HKEY_CURRENT_USER, CompanyKey);
}

void SaverProfile::SetNumber(const std::wstring& entry, unsigned long value) {
    HKEY key = CreateSection(ConfigSection);
    const DWORD data = value;
    RegSetValueExW(key, entry.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof data);
    RegCloseKey(key);
}

void SaverProfile::SetString(const std::wstring& section, const std::wstring& entry,
                             const std::wstring& value) {
    HKEY key = CreateSection(section);
    RegSetValueExW(key, entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void SaverProfile::SetPlaylist(const std::vector<std::wstring>& paths) {
    for (std::size_t i = 0; i < paths.size(); ++i) {
        wchar_t entry[16];
        std::swprintf(entry, 16, L"File%02zu", i + 1);
        SetString(FileListSection, entry, paths[i]);
    }
}

SaverProfile::Snapshot SaverProfile::TakeSnapshot() {
    Snapshot snapshot;
    Collect(HKEY_CURRENT_USER, CompanyKey, snapshot);
    return snapshot;
}

}  // namespace vireluna::e2e
