#pragma once

#include <set>
#include <string>

#include "tools/windriver/Picture.h"

namespace vireluna::e2e {

// The emblem as the saver carries it: bitmap 132 of the .scr, read without running it.
Picture EmblemOfSaver();
// The thread colours of a design, as the saver's own reader resolves them.
std::set<std::uint32_t> ThreadColours(const std::wstring& windowsPath);
std::uint32_t Packed(Colour colour);

}  // namespace vireluna::e2e
