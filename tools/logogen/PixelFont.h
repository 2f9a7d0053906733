#pragma once

#include <string_view>

#include "tools/logogen/Canvas.h"

namespace vireluna::logogen {

inline constexpr int kGlyphHeight = 7;

// Width in pixels of a word in the emblem's lettering; -1 if a letter has no glyph.
int LetteringWidth(std::string_view word, int letterSpacing);
// Sets the pixels of the word with its top-left corner at (left, top). False, drawing
// nothing, if a letter has no glyph.
bool DrawLettering(Canvas& canvas, std::string_view word, int left, int top, int letterSpacing,
                   Colour colour);

}  // namespace vireluna::logogen
