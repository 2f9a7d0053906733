#include "systems/win32/WideText.h"

#include <windows.h>

#include <climits>

namespace vireluna::win32 {

bool WideFromUtf8(std::string_view utf8, std::wstring& out) {
    out.clear();
    if (utf8.empty()) return true;
    if (utf8.size() > INT_MAX) return false;
    const int inLength = static_cast<int>(utf8.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, nullptr, 0);
    if (length <= 0) return false;
    out.resize(static_cast<std::size_t>(length));
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), inLength, out.data(),
                            length) != length) {
        out.clear();
        return false;
    }
    return true;
}

bool Utf8FromWide(std::wstring_view wide, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    if (wide.size() > INT_MAX) return false;
    const int inLength = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), inLength,
                                           nullptr, 0, nullptr, nullptr);
    if (length <= 0) return false;
    out.resize(static_cast<std::size_t>(length));
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), inLength, out.data(),
                            length, nullptr, nullptr) != length) {
        out.clear();
        return false;
    }
    return true;
}

std::wstring Wide(std::string_view utf8) {
    std::wstring out;
    WideFromUtf8(utf8, out);
    return out;
}

std::string Utf8(std::wstring_view wide) {
    std::string out;
    Utf8FromWide(wide, out);
    return out;
}

}  // namespace vireluna::win32
