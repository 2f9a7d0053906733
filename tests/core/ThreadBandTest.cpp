#include "raster/ThreadBand.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <set>
#include <vector>

#include "core/presentation/Background.h"
#include "core/presentation/StitchDrawing.h"

namespace vireluna::raster {
namespace {

constexpr ColourValue Crimson = 0x023020C8;  // red 200, green 32, blue 48
constexpr ColourValue NearBlack = 0x02080808;
constexpr std::array<std::uint8_t, 3> Field{190, 215, 255};

// An RGB picture of the plain field.
struct Picture {
    static constexpr int Width = 120;
    static constexpr int Height = 80;
    std::vector<std::uint8_t> bytes;

    Picture() {
        for (int i = 0; i < Width * Height; ++i)
            bytes.insert(bytes.end(), Field.begin(), Field.end());
    }
    PixelView View() { return {bytes.data(), Width, Height, Width * 3}; }
    std::array<std::uint8_t, 3> At(int x, int y) const {
        const std::size_t at = (static_cast<std::size_t>(y) * Width + x) * 3;
        return {bytes[at], bytes[at + 1], bytes[at + 2]};
    }
    bool IsField(int x, int y) const { return At(x, y) == Field; }
};

ThreadBand Band(ColourValue colour, std::int32_t reduction = 100) {
    return ThreadBand({ThreadWidthFor(reduction, 1.0), colour, BackgroundColour});
}

bool Inside(const PixelBox& box, int x, int y) {
    return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

TEST(ThreadBand, ABandHoldsShadesOfItsColourLitAlongTheMiddleAndDarkAtTheNeedleHoles) {
    Picture picture;
    Band(Crimson).Lay(picture.View(), 0, 0, 20, 40, 80, 40);
    // Across the middle of the stitch: brightest on the centre line, darker to both edges.
    const auto centre = picture.At(50, 40);
    const auto upper = picture.At(50, 39);
    const auto lower = picture.At(50, 41);
    EXPECT_GT(centre[0], upper[0]);
    EXPECT_GT(centre[0], lower[0]);
    // Along it: darker toward both ends, where the needle goes in.
    EXPECT_LT(picture.At(20, 40)[0], centre[0]);
    EXPECT_LT(picture.At(80, 40)[0], centre[0]);
    // Several distinct shades of the thread's own hue: red leads everywhere on the band.
    std::set<std::array<std::uint8_t, 3>> shades;
    for (int x = 20; x <= 80; ++x) {
        for (int y = 39; y <= 41; ++y) {
            const auto pixel = picture.At(x, y);
            EXPECT_GT(pixel[0], pixel[1]) << x << "," << y;
            EXPECT_GT(pixel[0], pixel[2]) << x << "," << y;
            shades.insert(pixel);
        }
    }
    EXPECT_GE(shades.size(), 6u);

    // A near-black thread shines along its top.
    Picture dark;
    Band(NearBlack).Lay(dark.View(), 0, 0, 20, 40, 80, 40);
    EXPECT_GE(dark.At(50, 40)[0], 60);
    EXPECT_LE(dark.At(50, 41)[0], dark.At(50, 40)[0] - 20);
}

TEST(ThreadBand, TheFieldChangesOnlyUnderTheBandAndItsShadowBelowRight) {
    Picture picture;
    const ThreadBand band = Band(Crimson, 80);
    const PixelBox box = band.Lay(picture.View(), 0, 0, 30, 60, 70, 20);
    EXPECT_EQ(box.left, 30 - band.Reach());
    EXPECT_EQ(box.bottom, 61 + band.Reach());
    int shadowed = 0;
    for (int y = 0; y < Picture::Height; ++y) {
        for (int x = 0; x < Picture::Width; ++x) {
            if (!Inside(box, x, y)) {
                EXPECT_TRUE(picture.IsField(x, y)) << x << "," << y;
            }
        }
    }
    // Beside the diagonal: up-left of it stays field, down-right falls in shadow.
    for (int step = 4; step <= 36; step += 4) {
        EXPECT_TRUE(picture.IsField(30 + step - 3, 60 - step - 3)) << step;
        const auto below = picture.At(30 + step + 2, 60 - step + 2);
        if (below[2] < Field[2] && below[0] < Field[0]) ++shadowed;
    }
    EXPECT_EQ(shadowed, 9);
}

TEST(ThreadBand, OverlappingShadowsOnTheFieldTakeTheDeeperShadeAndNeverPileUp) {
    Picture once;
    Picture twice;
    Picture repeated;
    const ThreadBand band = Band(Crimson);
    band.Lay(once.View(), 0, 0, 20, 20, 90, 20);
    band.Lay(twice.View(), 0, 0, 20, 20, 90, 20);
    band.Lay(twice.View(), 0, 0, 20, 20, 90, 20);
    for (int i = 0; i < 10; ++i) band.Lay(repeated.View(), 0, 0, 20, 20, 90, 20);
    // Under the shadow's full depth, clear of the band: the same shade however often it fell.
    for (int x = 30; x <= 80; x += 10) {
        EXPECT_LT(once.At(x, 24)[2], Field[2]);
        EXPECT_EQ(once.At(x, 24), twice.At(x, 24));
        EXPECT_EQ(once.At(x, 24), repeated.At(x, 24));
    }
}

TEST(ThreadBand, StitchesFarOutsideOrAcrossTheWholeRangeAreClippedSafely) {
    Picture picture;
    const ThreadBand band = Band(Crimson);
    EXPECT_TRUE(band.Lay(picture.View(), 0, 0, -5000000, -5000000, -4000000, 9).Empty());
    EXPECT_TRUE(band.Lay(picture.View(), 0, 0, INT_MAX, 0, INT_MAX, 0).Empty());
    // From one end of the int range to the other, through the picture's middle row.
    const PixelBox box = band.Lay(picture.View(), 0, 0, INT_MIN, 40, INT_MAX, 40);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, Picture::Width);
    EXPECT_FALSE(picture.IsField(60, 40));
    EXPECT_TRUE(picture.IsField(60, 20));
}

// Laid part by part, on views of a few pixels each, a stitch gives the pixels it gives on the
// whole picture, however far beyond the picture its ends lie.
TEST(ThreadBand, APixelDoesNotDependOnThePartOfThePictureTheViewShows) {
    const ThreadBand band = Band(Crimson, 600);
    const std::array<std::array<int, 4>, 3> stitches{{{-90000, -70000, 90123, 70077},
                                                      {60, -2000000, 61, 2000000},
                                                      {INT_MIN, INT_MAX, INT_MAX, INT_MIN + 99}}};
    for (const std::array<int, 4>& s : stitches) {
        Picture whole;
        Picture parts;
        band.Lay(whole.View(), 0, 0, s[0], s[1], s[2], s[3]);
        constexpr int Step = 24;
        for (int top = 0; top < Picture::Height; top += Step) {
            for (int left = 0; left < Picture::Width; left += Step) {
                const ViewPart part = PartOf(parts.View(), left, top, left + Step, top + Step);
                band.Lay(part.view, left, top, s[0], s[1], s[2], s[3]);
            }
        }
        EXPECT_EQ(parts.bytes, whole.bytes) << s[0] << "," << s[1] << " to " << s[2] << "," << s[3];
        int drawn = 0;
        for (int y = 0; y < Picture::Height; ++y) {
            for (int x = 0; x < Picture::Width; ++x) drawn += !whole.IsField(x, y);
        }
        EXPECT_GT(drawn, Picture::Height) << "the stitch crosses the picture";
    }
}

}  // namespace
}  // namespace vireluna::raster
