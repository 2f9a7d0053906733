#pragma once

#include <string>
#include <string_view>

namespace vireluna::win32 {

// The program keeps UTF-8 text; the wide Windows functions take UTF-16. Both conversions
// replace nothing: text that is not valid in its encoding gives false and leaves out empty.
bool WideFromUtf8(std::string_view utf8, std::wstring& out);
bool Utf8FromWide(std::wstring_view wide, std::string& out);

// For text the program made itself (resource strings, messages): invalid input gives "".
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace vireluna::win32
