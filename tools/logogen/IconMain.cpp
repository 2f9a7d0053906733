// Draws the program's icon (the emblem's moon, vine and star on a rounded light-blue tile, in
// 16, 32, 48 and 256 pixels) and the invisible cursor, and writes them as .ico and .cur files.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "tools/logogen/Emblem.h"
#include "tools/logogen/IconFiles.h"

namespace vireluna::logogen {
namespace {

constexpr int IndexedSizes[] = {16, 32, 48};
constexpr int LargeSize = 256;
constexpr double CornerRadiusShare = 0.2;
constexpr double PictureMarginShare = 0.09;
constexpr double BorderPixelsPer32 = 1.0;
constexpr PaletteEntry BorderColour{58, 80, 158};

// A rounded square over the whole icon, shrunk by inset pixels on every side.
Region RoundedTile(int size, double inset) {
    const double radius = size * CornerRadiusShare - inset;
    const double low = inset + radius;
    const double high = size - inset - radius;
    return [=](Vec p) {
        const double dx = p.x - std::clamp(p.x, low, high);
        const double dy = p.y - std::clamp(p.y, low, high);
        return p.x >= inset && p.y >= inset && p.x <= size - inset && p.y <= size - inset &&
               dx * dx + dy * dy <= radius * radius;
    };
}

PictureFrame FrameFor(int size) {
    const double modelWidth = kPictureModelRight - kPictureModelLeft;
    const double modelHeight = kPictureModelTop - kPictureModelBottom;
    const double scale = size * (1.0 - 2.0 * PictureMarginShare) / modelWidth;
    return {scale, size * PictureMarginShare, (size - modelHeight * scale) / 2.0};
}

std::uint8_t Channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

IconImage DrawIcon(int size, bool fullColour) {
    const double border = std::max(1.0, size * BorderPixelsPer32 / 32.0);
    Canvas canvas(size, size, EmblemField());
    canvas.Paint(RoundedTile(size, 0.0), ToColour(BorderColour));
    canvas.Paint(RoundedTile(size, border), EmblemField());
    PaintEmblemPicture(canvas, FrameFor(size));

    Canvas coverage(size, size, {0.0, 0.0, 0.0});
    coverage.Paint(RoundedTile(size, 0.0), {255.0, 255.0, 255.0});

    IconImage image;
    image.size = size;
    image.fullColour = fullColour;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Colour c = canvas.At(x, y);
            image.pixels.push_back({Channel(c.red), Channel(c.green), Channel(c.blue),
                                    Channel(coverage.At(x, y).red)});
        }
    }
    if (!fullColour) {
        image.indices = Quantise(canvas, EmblemPalette());
        for (const PaletteEntry& entry : EmblemPalette()) {
            image.palette.push_back({entry.red, entry.green, entry.blue, 255});
        }
    }
    return image;
}

}  // namespace
}  // namespace vireluna::logogen

int main(int argc, char** argv) {
    using namespace vireluna::logogen;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.ico CURSOR.cur\n", argv[0]);
        return 2;
    }
    std::vector<IconImage> images;
    for (int size : IndexedSizes) images.push_back(DrawIcon(size, false));
    images.push_back(DrawIcon(LargeSize, true));
    if (!WriteIcon(argv[1], images)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    if (!WriteInvisibleCursor(argv[2])) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
