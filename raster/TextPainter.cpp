#include "raster/TextPainter.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "raster/Utf8.h"
#include FT_SYNTHESIS_H

namespace vireluna::raster {

namespace {

constexpr int kDefaultEmPixels = 13;  // what a height of 0 asks for: the usual 10 points
constexpr std::int64_t kMaxEmPixels = 1024;
constexpr Rgb kTextColour{0, 0, 0};
constexpr int kFullCoverage = 255;
constexpr int kSubpixelShift = 6;  // FreeType's 26.6 fixed point
constexpr std::int64_t kSubpixelHalf = 1 << (kSubpixelShift - 1);

std::int64_t RoundedDivide(std::int64_t numerator, std::int64_t denominator) {
    return (numerator + denominator / 2) / denominator;
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// Where the glyph pixels of one rendered bitmap row start, whichever way the rows run.
const unsigned char* BitmapRow(const FT_Bitmap& bitmap, unsigned row) {
    if (bitmap.pitch >= 0) return bitmap.buffer + static_cast<std::size_t>(row) * bitmap.pitch;
    return bitmap.buffer + static_cast<std::size_t>(bitmap.rows - 1 - row) * -bitmap.pitch;
}

int CoverageAt(const FT_Bitmap& bitmap, const unsigned char* row, unsigned column) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        return (row[column / 8] & (0x80 >> (column % 8))) != 0 ? kFullCoverage : 0;
    }
    return row[column];
}

std::uint8_t Blend(std::uint8_t under, std::uint8_t over, int coverage) {
    return static_cast<std::uint8_t>(
        (under * (kFullCoverage - coverage) + over * coverage + kFullCoverage / 2) / kFullCoverage);
}

void BlendGlyph(RasterImage& image, const FT_Bitmap& bitmap, std::int64_t left, std::int64_t top) {
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO) return;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const std::int64_t y = top + row;
        if (y < 0 || y >= image.Height()) continue;
        const unsigned char* pixels = BitmapRow(bitmap, row);
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const std::int64_t x = left + column;
            const int coverage = CoverageAt(bitmap, pixels, column);
            if (coverage == 0 || x < 0 || x >= image.Width()) continue;
            const int px = static_cast<int>(x);
            const int py = static_cast<int>(y);
            const Rgb under = image.PixelAt(px, py);
            image.SetPixel(px, py,
                           {Blend(under.red, kTextColour.red, coverage),
                            Blend(under.green, kTextColour.green, coverage),
                            Blend(under.blue, kTextColour.blue, coverage)});
        }
    }
}

// Pixel em size for a display font request: a negative height is the character height, a
// positive one the cell height, zero the default.
std::int64_t EmPixels(const FontSpec& font, const LoadedFace& loaded) {
    std::int64_t em = kDefaultEmPixels;
    const std::int64_t height = font.height;
    if (height < 0) {
        em = -height;
    } else if (height > 0) {
        const std::int64_t cellUnits =
            std::max<std::int64_t>(loaded.ascentUnits + loaded.descentUnits, 1);
        em = RoundedDivide(std::min(height, kMaxEmPixels) * loaded.face->units_per_EM, cellUnits);
    }
    return std::clamp<std::int64_t>(em, 1, kMaxEmPixels);
}

bool LoadGlyph(const LoadedFace& loaded, char32_t codePoint) {
    const FT_UInt glyph = FT_Get_Char_Index(loaded.face, codePoint);
    if (FT_Load_Glyph(loaded.face, glyph, FT_LOAD_DEFAULT) != 0) return false;
    if (loaded.embolden) FT_GlyphSlot_Embolden(loaded.face->glyph);
    return true;
}

// Whether a glyph at this origin could put ink on the image: its ink stays within an em of
// the cell, even leaning or with marks above the capitals.
bool MayTouch(const RasterImage& image, std::int64_t origin, std::int64_t top,
              const TextExtent& extent, std::int64_t em) {
    return origin + 2 * em >= 0 && origin - em < image.Width() &&
           top + extent.ascent + extent.descent + em >= 0 && top - em < image.Height();
}

// Sizes the face for the request and measures the line's cell.
bool Prepare(const LoadedFace& loaded, const FontSpec& font, const std::vector<char32_t>& text,
             TextExtent& extent, std::int64_t& em) {
    em = EmPixels(font, loaded);
    if (FT_Set_Pixel_Sizes(loaded.face, 0, static_cast<FT_UInt>(em)) != 0) return false;
    const std::int64_t unitsPerEm = loaded.face->units_per_EM;
    std::int64_t advance = 0;
    for (char32_t codePoint : text) {
        if (LoadGlyph(loaded, codePoint)) advance += loaded.face->glyph->advance.x;
    }
    extent.width = ClampToInt((advance + kSubpixelHalf) >> kSubpixelShift);
    extent.ascent = ClampToInt(RoundedDivide(loaded.ascentUnits * em, unitsPerEm));
    extent.descent = ClampToInt(RoundedDivide(loaded.descentUnits * em, unitsPerEm));
    return true;
}

}  // namespace

bool TextPainter::Measure(std::string_view utf8Text, const FontSpec& font, TextExtent& extent) {
    const LoadedFace* loaded = faces_.Find(font);
    std::int64_t em = 0;
    return loaded != nullptr && Prepare(*loaded, font, DecodeUtf8(utf8Text), extent, em);
}

bool TextPainter::Draw(RasterImage& image, int x, int y, std::string_view utf8Text,
                       const FontSpec& font, Rgb background) {
    const LoadedFace* loaded = faces_.Find(font);
    const std::vector<char32_t> text = DecodeUtf8(utf8Text);
    TextExtent extent;
    std::int64_t em = 0;
    if (loaded == nullptr || !Prepare(*loaded, font, text, extent, em)) return false;

    const std::int64_t left = x;
    const std::int64_t top = y;
    image.FillRect(x, y, ClampToInt(left + extent.width),
                   ClampToInt(top + extent.ascent + extent.descent), background);

    const std::int64_t baseline = top + extent.ascent;
    std::int64_t pen = 0;
    for (char32_t codePoint : text) {
        if (!LoadGlyph(*loaded, codePoint)) continue;
        const FT_GlyphSlot slot = loaded->face->glyph;
        const std::int64_t origin = left + ((pen + kSubpixelHalf) >> kSubpixelShift);
        pen += slot->advance.x;
        if (!MayTouch(image, origin, top, extent, em)) continue;
        if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) continue;
        BlendGlyph(image, slot->bitmap, origin + slot->bitmap_left, baseline - slot->bitmap_top);
    }
    return true;
}

}  // namespace vireluna::raster
