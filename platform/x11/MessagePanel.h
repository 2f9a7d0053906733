#pragma once

#include <string_view>

#include "render/RasterImage.h"

namespace vireluna::x11 {

// The saver's message box drawn as a panel for the window: the caption on a bar, then each
// line of the text, in a face that has the text's characters. At most maxWidth wide.
raster::RasterImage MessagePanel(std::string_view utf8Text, std::string_view utf8Caption,
                                 int maxWidth);

}  // namespace vireluna::x11
