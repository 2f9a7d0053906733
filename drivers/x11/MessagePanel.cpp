#include "drivers/x11/MessagePanel.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <string>
#include <vector>

#include "raster/RasterSurface.h"
#include "raster/TextPainter.h"

namespace vireluna::x11 {
namespace {

constexpr int PanelWidth = 640;
constexpr int LineHeight = 24;
constexpr int TextHeight = -16;  // a character height in pixels, as a font request
constexpr int Margin = 12;
constexpr int RegularWeight = 400;
constexpr int BoldWeight = 700;
constexpr ColourValue PanelColour = 0x00F0F0F0;
constexpr ColourValue CaptionColour = 0x00D0D0D0;
constexpr ColourValue FrameColour = 0x00606060;

// The messages are Japanese: ask fontconfig for a face that writes it, whatever is installed.
std::string JapaneseFamily() {
    std::string family = "sans-serif";
    if (FcInit() == FcFalse) return family;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif:lang=ja"));
    if (pattern == nullptr) return family;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
            family = reinterpret_cast<const char*>(name);
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return family;
}

std::vector<std::string_view> NonEmptyLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!line.empty()) lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

constexpr std::string_view Ellipsis = "\xE2\x80\xA6";

bool ContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string ShortenFromLeft(std::string_view utf8Line, int maxWidth,
                            const std::function<int(std::string_view)>& widthOf) {
    if (widthOf(utf8Line) <= maxWidth) return std::string(utf8Line);
    std::string_view rest = utf8Line;
    while (!rest.empty()) {
        // One character off the front.
        std::size_t cut = 1;
        while (cut < rest.size() && ContinuationByte(rest[cut])) ++cut;
        rest.remove_prefix(cut);
        std::string shortened(Ellipsis);
        shortened += rest;
        if (widthOf(shortened) <= maxWidth) return shortened;
    }
    return std::string(Ellipsis);
}

raster::RasterImage MessagePanel(std::string_view utf8Text, std::string_view utf8Caption,
                                 int maxWidth) {
    const std::vector<std::string_view> lines = NonEmptyLines(utf8Text);
    const int width = std::max(1, std::min(PanelWidth, maxWidth));
    const int height = LineHeight + Margin * 2 + LineHeight * static_cast<int>(lines.size());
    raster::RasterImage panel(width, height);
    const raster::RasterImage noLogo;
    raster::RasterSurface surface(panel, noLogo);
    surface.FillRect(0, 0, width, height, FrameColour);
    surface.FillRect(1, 1, width - 1, LineHeight, CaptionColour);
    surface.FillRect(1, LineHeight, width - 1, height - 1, PanelColour);

    const std::string family = JapaneseFamily();
    const FontSpec captionFont{family, TextHeight, BoldWeight, false, 0};
    const FontSpec textFont{family, TextHeight, RegularWeight, false, 0};
    surface.DrawText(Margin / 2, (LineHeight + TextHeight) / 2, utf8Caption, captionFont,
                     CaptionColour);
    raster::TextPainter painter;
    const auto widthOf = [&](std::string_view text) {
        raster::TextExtent extent;
        return painter.Measure(text, textFont, extent) ? extent.width : 0;
    };
    int y = LineHeight + Margin;
    for (std::string_view line : lines) {
        surface.DrawText(Margin, y, ShortenFromLeft(line, width - 2 * Margin, widthOf), textFont,
                         PanelColour);
        y += LineHeight;
    }
    return panel;
}

}  // namespace vireluna::x11
