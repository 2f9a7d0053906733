#include "systems/win32/RegistryProfileStore.h"

#include <windows.h>

#include <vector>

#include "systems/win32/WideText.h"

namespace vireluna::win32 {
namespace {

// The longest path Windows accepts, in UTF-16 units: anything longer is no setting of ours.
constexpr DWORD MaxStringUnits = 32767;
constexpr DWORD MaxStringBytes = (MaxStringUnits + 1) * sizeof(wchar_t);

// An open registry key, closed when it goes out of scope.
class Key {
  public:
    Key() = default;
    ~Key() {
        if (handle_ != nullptr) RegCloseKey(handle_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    // Opens the key, creating it (and its parents) when absent.
    bool Create(const std::wstring& path, REGSAM access) {
        return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               access, nullptr, &handle_, nullptr) == ERROR_SUCCESS;
    }
    HKEY Handle() const { return handle_; }

  private:
    HKEY handle_ = nullptr;
};

// The value's type and size without its data, or false when it is missing.
bool QueryShape(HKEY key, const std::wstring& name, DWORD& type, DWORD& size) {
    return RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

// The text of a REG_SZ value; false for anything that is not a sane string.
bool QueryString(HKEY key, const std::wstring& name, std::string& out) {
    DWORD type = 0;
    DWORD size = 0;
    if (!QueryShape(key, name, type, size) || type != REG_SZ || size > MaxStringBytes) {
        return false;
    }
    // One spare unit keeps the text terminated even when the stored data is not.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD got = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &got) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return false;  // changed under us or unreadable: the default is the safe answer
    }
    std::wstring_view text(buffer.data(), got / sizeof(wchar_t));
    // Stored strings end with a zero; some writers store more than one, or text beyond it.
    const std::size_t end = text.find(L'\0');
    if (end != std::wstring_view::npos) text = text.substr(0, end);
    return Utf8FromWide(text, out);
}

}  // namespace

RegistryProfileStore::RegistryProfileStore(std::string_view company, std::string_view application)
    : applicationPath_(L"Software\\" + Wide(company) + L"\\" + Wide(application)) {}

std::wstring RegistryProfileStore::SectionPath(std::string_view section) const {
    return applicationPath_ + L"\\" + Wide(section);
}

std::int32_t RegistryProfileStore::ReadInteger(std::string_view section, std::string_view entry,
                                               std::int32_t defaultValue) {
    Key key;
    if (!key.Create(SectionPath(section), KEY_READ)) return defaultValue;
    const std::wstring name = Wide(entry);
    DWORD type = 0;
    DWORD size = 0;
    if (!QueryShape(key.Handle(), name, type, size) || type != REG_DWORD || size != sizeof(DWORD)) {
        return defaultValue;
    }
    DWORD value = 0;
    size = sizeof value;
    if (RegQueryValueExW(key.Handle(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value) {
        return defaultValue;
    }
    return static_cast<std::int32_t>(value);
}

std::string RegistryProfileStore::ReadString(std::string_view section, std::string_view entry,
                                             std::string_view defaultValue) {
    Key key;
    std::string value;
    if (key.Create(SectionPath(section), KEY_READ) &&
        QueryString(key.Handle(), Wide(entry), value)) {
        return value;
    }
    return std::string(defaultValue);
}

bool RegistryProfileStore::WriteInteger(std::string_view section, std::string_view entry,
                                        std::int32_t value) {
    Key key;
    if (!key.Create(SectionPath(section), KEY_WRITE)) return false;
    const DWORD data = static_cast<DWORD>(value);
    return RegSetValueExW(key.Handle(), Wide(entry).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

bool RegistryProfileStore::WriteString(std::string_view section, std::string_view entry,
                                       std::string_view value) {
    std::wstring wide;
    if (!WideFromUtf8(value, wide) || wide.size() > MaxStringUnits) return false;
    Key key;
    if (!key.Create(SectionPath(section), KEY_WRITE)) return false;
    const DWORD bytes = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Handle(), Wide(entry).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wide.c_str()), bytes) == ERROR_SUCCESS;
}

std::string RegistryProfileStore::Location() const {
    return "HKEY_CURRENT_USER\\" + Utf8(applicationPath_);
}

}  // namespace vireluna::win32
