#include "tools/logogen/Palette.h"

#include <limits>

namespace vireluna::logogen {

namespace {

// Weights that follow how strongly the eye responds to each primary.
constexpr double kRedWeight = 0.30;
constexpr double kGreenWeight = 0.59;
constexpr double kBlueWeight = 0.11;

double Distance(Colour colour, PaletteEntry entry) {
    const double red = colour.red - entry.red;
    const double green = colour.green - entry.green;
    const double blue = colour.blue - entry.blue;
    return kRedWeight * red * red + kGreenWeight * green * green + kBlueWeight * blue * blue;
}

}  // namespace

std::vector<std::uint8_t> Quantise(const Canvas& canvas, const Palette& palette) {
    std::vector<std::uint8_t> indices;
    indices.reserve(static_cast<std::size_t>(canvas.Width() * canvas.Height()));
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            std::uint8_t best = 0;
            double bestDistance = std::numeric_limits<double>::max();
            for (int i = 0; i < kPaletteSize; ++i) {
                const double distance = Distance(canvas.At(x, y), palette[i]);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = static_cast<std::uint8_t>(i);
                }
            }
            indices.push_back(best);
        }
    }
    return indices;
}

}  // namespace vireluna::logogen
