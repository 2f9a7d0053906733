#include <gtest/gtest.h>

#include <cstdint>

#include "core/presentation/Background.h"
#include "core/presentation/LogoCorner.h"
#include "core/presentation/StitchDrawing.h"
#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"
#include "tests/core/DesignFixture.h"

namespace vireluna {
namespace {

using fakes::At;
using fakes::DesignOf;
using raster::RasterImage;
using raster::RasterSurface;
using raster::Rgb;

constexpr Rgb Background{190, 215, 255};
constexpr Rgb Black{0, 0, 0};
constexpr Rgb Red{255, 0, 0};
constexpr ColourValue RedThread = 0x020000FF;

Design RedDesign(std::initializer_list<StitchRecord> records) {
    Design design = DesignOf(records);
    design.colours[0] = RedThread;
    design.colourCount = 1;
    return design;
}

// The design's records drawn in one batch on an erased image.
RasterImage Drawn(const Design& design, int width, int height, StitchPen pen) {
    RasterImage image(width, height, Black);
    const RasterImage noLogo;
    RasterSurface surface(image, noLogo);
    OnEraseBkgnd(surface, width, height);
    std::int32_t drawPosition = 0;
    std::int32_t colourIndex = 0;
    EXPECT_TRUE(
        DrawStitches(surface, design.records.get(), design, pen, drawPosition, colourIndex));
    return image;
}

int RedInColumn(const RasterImage& image, int x) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y) count += image.PixelAt(x, y) == Red;
    return count;
}

TEST(DrawingPixels, EraseFillsEveryPixelWithTheBackground) {
    RasterImage image(64, 48, Black);
    const RasterImage noLogo;
    RasterSurface surface(image, noLogo);
    EXPECT_TRUE(OnEraseBkgnd(surface, 64, 48));
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) ASSERT_EQ(image.PixelAt(x, y), Background) << x << "," << y;
    }
}

TEST(DrawingPixels, AJumpLeavesAGapBetweenItsStitches) {
    const Design design =
        RedDesign({At(10, 20), At(30, 20), At(40, 20, StitchKind::Jump), At(50, 20), At(70, 20)});
    const RasterImage image = Drawn(design, 80, 40, {1, 10, 1.0});
    for (int x = 10; x < 30; ++x) EXPECT_EQ(image.PixelAt(x, 20), Red) << x;
    for (int x = 31; x < 50; ++x) EXPECT_EQ(image.PixelAt(x, 20), Background) << x;
    for (int x = 50; x < 70; ++x) EXPECT_EQ(image.PixelAt(x, 20), Red) << x;
}

TEST(DrawingPixels, BoldPenDrawsThickerThanThinAndThePreviewIsThin) {
    const Design design = RedDesign({At(10, 20), At(50, 20)});
    const auto widthAt30 = [&](int penWidth) {
        return RedInColumn(Drawn(design, 60, 40, {penWidth, 5, 1.0}), 30);
    };
    EXPECT_EQ(widthAt30(PenWidthFor(false, 0)), 1);
    EXPECT_EQ(widthAt30(PenWidthFor(false, 2)), 3);
    EXPECT_EQ(widthAt30(PenWidthFor(true, 2)), 1);
}

// A 152-pixel preview of a 1280 x 960 screen: (1000, 500)-(1000, 600) lands at x 118,
// y 59 to 71.
TEST(DrawingPixels, PreviewDrawsAtTheScaledPosition) {
    const Design design = RedDesign({At(1000, 500), At(1000, 600)});
    const RasterImage image = Drawn(design, 152, 114, {1, 5, 152.0 / 1280.0});
    EXPECT_EQ(image.PixelAt(118, 59), Red);
    EXPECT_EQ(image.PixelAt(118, 70), Red);
    EXPECT_EQ(image.PixelAt(118, 58), Background);
    EXPECT_EQ(RedInColumn(image, 118), 71 - 59);  // the end point is left out, as on a display
    EXPECT_EQ(RedInColumn(image, 117), 0);
    EXPECT_EQ(RedInColumn(image, 119), 0);
}

TEST(DrawingPixels, LogoLandsInEachCornerUnscaled) {
    RasterImage logo;
    ASSERT_TRUE(raster::ReadBmp(DefaultLogoPath(), logo));
    ASSERT_EQ(logo.Width(), LogoWidth);
    ASSERT_EQ(logo.Height(), LogoHeight);
    const ScreenSize screen{1024, 768};
    for (int corner = 0; corner < 4; ++corner) {
        SCOPED_TRACE(corner);
        RasterImage image(screen.width, screen.height, Black);
        RasterSurface surface(image, logo);
        OnEraseBkgnd(surface, screen.width, screen.height);
        LogoState state;
        SetLogoCorner(corner, screen, state);
        DrawLogo(surface, state);
        const Rect& rect = state.logoRect;
        for (int y = 0; y < LogoHeight; ++y) {
            for (int x = 0; x < LogoWidth; ++x) {
                ASSERT_EQ(image.PixelAt(rect.left + x, rect.top + y), logo.PixelAt(x, y))
                    << x << "," << y;
            }
        }
        // Nothing outside the rectangle changes.
        int changed = 0;
        for (int y = 0; y < screen.height; ++y) {
            for (int x = 0; x < screen.width; ++x) changed += image.PixelAt(x, y) != Background;
        }
        int changedInside = 0;
        for (int y = 0; y < LogoHeight; ++y) {
            for (int x = 0; x < LogoWidth; ++x) changedInside += logo.PixelAt(x, y) != Background;
        }
        EXPECT_EQ(changed, changedInside);
        EXPECT_GT(changedInside, 0);
    }
}

}  // namespace
}  // namespace vireluna
