#pragma once

#include <string_view>

#include "core/ports/Surface.h"
#include "raster/FontFaces.h"
#include "raster/RasterImage.h"

namespace vireluna::raster {

// The size of a line of text: its advance width and the font's cell above and below the
// baseline, in pixels.
struct TextExtent {
    int width = 0;
    int ascent = 0;
    int descent = 0;
};

// Draws lines of text with FreeType from the face fontconfig picks for a font request.
// Faces stay loaded between calls, so drawing the same font again costs no file access.
class TextPainter {
  public:
    // The cell the text would fill; false when no face can be found for the font.
    bool Measure(std::string_view utf8Text, const FontSpec& font, TextExtent& extent);
    // Fills the text's cell (top-left at x, y) with the background, then blends the glyphs
    // on it in black. Clipped to the image. False, drawing nothing, when no face is found.
    bool Draw(RasterImage& image, int x, int y, std::string_view utf8Text, const FontSpec& font,
              Rgb background);

  private:
    FontFaces faces_;
};

}  // namespace vireluna::raster
