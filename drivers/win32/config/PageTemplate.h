#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace vireluna::win32 {

// A copy of an extended dialog template from the program's resources with its font replaced,
// as a property sheet expects of its pages: the sheet sizes every page in its own dialog
// units, so a page in another font would be clipped or leave a gap. Empty when the resource
// is missing or not an extended template.
std::vector<std::uint8_t> PageTemplateInFont(HINSTANCE instance, int templateId,
                                             const wchar_t* typeface, WORD points);

}  // namespace vireluna::win32
