#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "raster/RasterImage.h"

namespace vireluna::x11 {

// The saver's message box drawn as a panel for the window: the caption on a bar, then each
// line of the text, in a face that has the text's characters. At most maxWidth wide; a line
// too long for it loses its start, so that a path keeps its file's name.
raster::RasterImage MessagePanel(std::string_view utf8Text, std::string_view utf8Caption,
                                 int maxWidth);

// The line as it fits in maxWidth pixels, as widthOf measures text: whole, or its end after an
// ellipsis, cut between UTF-8 characters.
std::string ShortenFromLeft(std::string_view utf8Line, int maxWidth,
                            const std::function<int(std::string_view)>& widthOf);

}  // namespace vireluna::x11
