#include "tools/windriver/TestPaths.h"

#include <windows.h>

#include <cstdlib>

namespace vireluna::e2e {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                        length, nullptr, nullptr);
    return narrow;
}

std::wstring WindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + Widen(unixPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

const TestPaths& Paths() {
    static const TestPaths paths{
        Variable("VIRELUNA_E2E_SAVER"),        Variable("VIRELUNA_E2E_DESIGNS"),
        Variable("VIRELUNA_E2E_TEST_DESIGNS"), Variable("VIRELUNA_E2E_REFERENCES"),
        Variable("VIRELUNA_E2E_CASES"),        Variable("VIRELUNA_E2E_OUTPUT"),
    };
    return paths;
}

}  // namespace vireluna::e2e
