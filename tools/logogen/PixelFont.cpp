#include "tools/logogen/PixelFont.h"

#include <array>

namespace vireluna::logogen {

namespace {

struct Glyph {
    char letter;
    std::array<std::string_view, kGlyphHeight> rows;  // '#' is ink; all rows equally wide
};

// Only the capitals the emblem spells.
constexpr Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'N', {"#...#", "##..#", "##..#", "#.#.#", "#..##", "#..##", "#...#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", ".#.#.", ".#.#.", ".#.#.", "..#.."}},
};

const Glyph* Find(char letter) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.letter == letter) return &glyph;
    }
    return nullptr;
}

}  // namespace

int LetteringWidth(std::string_view word, int letterSpacing) {
    int width = 0;
    for (char letter : word) {
        const Glyph* glyph = Find(letter);
        if (glyph == nullptr) return -1;
        width += static_cast<int>(glyph->rows[0].size()) + letterSpacing;
    }
    return word.empty() ? 0 : width - letterSpacing;
}

bool DrawLettering(Canvas& canvas, std::string_view word, int left, int top, int letterSpacing,
                   Colour colour) {
    if (LetteringWidth(word, letterSpacing) < 0) return false;
    int x = left;
    for (char letter : word) {
        const Glyph& glyph = *Find(letter);
        for (int row = 0; row < kGlyphHeight; ++row) {
            for (std::size_t column = 0; column < glyph.rows[row].size(); ++column) {
                if (glyph.rows[row][column] == '#') {
                    canvas.SetPixel(x + static_cast<int>(column), top + row, colour);
                }
            }
        }
        x += static_cast<int>(glyph.rows[0].size()) + letterSpacing;
    }
    return true;
}

}  // namespace vireluna::logogen
