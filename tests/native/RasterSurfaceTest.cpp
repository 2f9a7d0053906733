#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "core/presentation/Background.h"
#include "core/presentation/Notice.h"
#include "core/presentation/NoticeFont.h"
#include "raster/RasterSurface.h"
#include "raster/TextPainter.h"

namespace vireluna::raster {
namespace {

constexpr Rgb kPaper{255, 255, 255};
constexpr int kLogoWidth = 96;
constexpr int kLogoHeight = 109;

int CountColour(const RasterImage& image, Rgb colour) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) count += image.PixelAt(x, y) == colour ? 1 : 0;
    return count;
}

TEST(RasterSurfaceColours, PenAndFillTakeRedFromTheLowestByteAndIgnoreTheFlag) {
    RasterImage image(10, 10, kPaper);
    const RasterImage logo;
    RasterSurface surface(image, logo);
    surface.FillRect(0, 0, 2, 2, 0x02336699);
    EXPECT_EQ(image.PixelAt(0, 0), (Rgb{0x99, 0x66, 0x33}));
    surface.SetPen(1, 0xFF112233);
    surface.MoveTo(0, 5);
    surface.LineTo(5, 5);
    EXPECT_EQ(image.PixelAt(0, 5), (Rgb{0x33, 0x22, 0x11}));
}

TEST(RasterFillRect, FillsHalfOpenRectangleClipped) {
    RasterImage image(20, 10, kPaper);
    const RasterImage logo;
    RasterSurface surface(image, logo);
    constexpr Rgb kRed{255, 0, 0};
    surface.FillRect(3, 2, 7, 5, 0x000000FF);
    EXPECT_EQ(CountColour(image, kRed), 4 * 3);
    EXPECT_EQ(image.PixelAt(3, 2), kRed);
    EXPECT_EQ(image.PixelAt(6, 4), kRed);
    EXPECT_EQ(image.PixelAt(7, 4), kPaper);
    EXPECT_EQ(image.PixelAt(6, 5), kPaper);

    surface.FillRect(8, 8, 8, 9, 0x0000FF00);  // empty
    surface.FillRect(9, 9, 5, 5, 0x0000FF00);  // inverted: empty
    EXPECT_EQ(CountColour(image, {0, 255, 0}), 0);

    surface.FillRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0x00FF0000);
    EXPECT_EQ(CountColour(image, {0, 0, 255}), 20 * 10);
}

class RasterLogoCopy : public ::testing::Test {
  protected:
    // Every logo pixel different from its neighbours, so a shifted copy shows.
    RasterLogoCopy() : logo_(kLogoWidth, kLogoHeight), image_(300, 200, kPaper) {
        for (int y = 0; y < kLogoHeight; ++y)
            for (int x = 0; x < kLogoWidth; ++x)
                logo_.SetPixel(x, y,
                               {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7});
    }
    RasterImage logo_;
    RasterImage image_;
};

TEST_F(RasterLogoCopy, CopiesUnscaledAtTheGivenCorner) {
    RasterSurface surface(image_, logo_);
    surface.DrawLogo(10, 20);
    EXPECT_EQ(image_.PixelAt(10, 20), logo_.PixelAt(0, 0));
    EXPECT_EQ(image_.PixelAt(10 + 95, 20 + 108), logo_.PixelAt(95, 108));
    EXPECT_EQ(image_.PixelAt(10 + 40, 20 + 70), logo_.PixelAt(40, 70));
    EXPECT_EQ(image_.PixelAt(9, 20), kPaper);
    EXPECT_EQ(image_.PixelAt(106, 20), kPaper);
    EXPECT_EQ(image_.PixelAt(10, 129), kPaper);
    EXPECT_EQ(CountColour(image_, kPaper), 300 * 200 - kLogoWidth * kLogoHeight);
}

TEST_F(RasterLogoCopy, ClipsAtEveryEdge) {
    RasterSurface surface(image_, logo_);
    surface.DrawLogo(-50, -60);
    EXPECT_EQ(image_.PixelAt(0, 0), logo_.PixelAt(50, 60));
    surface.DrawLogo(300 - 10, 200 - 5);
    EXPECT_EQ(image_.PixelAt(299, 199), logo_.PixelAt(9, 4));
    EXPECT_EQ(CountColour(image_, kPaper), 300 * 200 - 46 * 49 - 10 * 5);
    for (const int far : {INT_MIN, INT_MAX, -kLogoWidth, 300}) surface.DrawLogo(far, far);
    EXPECT_EQ(CountColour(image_, kPaper), 300 * 200 - 46 * 49 - 10 * 5);
}

class RasterText : public ::testing::Test {
  protected:
    static constexpr Rgb kBackground{190, 215, 255};
    static constexpr FontSpec kNotice{"Arial", -13, 700, true, 0};
    static constexpr int kLeft = 20;
    static constexpr int kTop = 10;
    RasterText() : image_(400, 60, kPaper), surface_(image_, logo_) {}

    static bool Dark(Rgb colour) { return colour.red + colour.green + colour.blue < 3 * 96; }

    RasterImage logo_;
    RasterImage image_;
    RasterSurface surface_;
};

TEST_F(RasterText, DrawsDarkGlyphsInAnOpaqueCell) {
    TextPainter painter;
    TextExtent extent;
    ASSERT_TRUE(painter.Measure("Vireluna 2024 – Mondschein", kNotice, extent));
    EXPECT_GE(extent.ascent + extent.descent, 13);
    EXPECT_LE(extent.ascent + extent.descent, 17);
    EXPECT_GT(extent.width, 100);

    surface_.DrawText(kLeft, kTop, "Vireluna 2024 – Mondschein", kNotice, 0x02FFD7BE);
    const int right = kLeft + extent.width;
    const int bottom = kTop + extent.ascent + extent.descent;
    int dark = 0, background = 0;
    for (int y = 0; y < image_.Height(); ++y) {
        for (int x = 0; x < image_.Width(); ++x) {
            const Rgb pixel = image_.PixelAt(x, y);
            const bool inCell = x >= kLeft && x < right && y >= kTop && y < bottom;
            if (Dark(pixel)) {
                ++dark;
                // An italic glyph may lean a pixel or two past its advance.
                EXPECT_TRUE(x >= kLeft && x < right + 2 && y >= kTop && y < bottom)
                    << x << "," << y;
            }
            if (inCell && pixel == kBackground) ++background;
            if (!inCell && x < right - 2) {
                EXPECT_EQ(pixel, kPaper) << x << "," << y;
            }
        }
    }
    EXPECT_GT(dark, 150);
    EXPECT_GT(background, (right - kLeft) * (bottom - kTop) / 2);
    // The top row of the cell lies above every capital: pure background.
    for (int x = kLeft; x < right; ++x) EXPECT_EQ(image_.PixelAt(x, kTop), kBackground);
}

TEST_F(RasterText, LargerRequestsDrawLargerText) {
    TextPainter painter;
    TextExtent small, large;
    ASSERT_TRUE(painter.Measure("Vireluna", kNotice, small));
    ASSERT_TRUE(painter.Measure("Vireluna", {"Arial", -26, 700, true, 0}, large));
    EXPECT_NEAR(large.width, 2 * small.width, 8);  // each advance rounds on its own
    // A positive height asks for the whole cell.
    TextExtent cell;
    ASSERT_TRUE(painter.Measure("Vireluna", {"Arial", 30, 400, false, 0}, cell));
    EXPECT_NEAR(cell.ascent + cell.descent, 30, 1);
}

TEST_F(RasterText, ClipsAtTheEdgesAndSurvivesExtremes) {
    TextPainter painter;
    TextExtent extent;
    ASSERT_TRUE(painter.Measure("Vireluna", kNotice, extent));
    const int cellHeight = extent.ascent + extent.descent;
    // Hanging over the top-left and the bottom-right corners: the visible part of each cell is
    // painted, nothing beside it.
    surface_.DrawText(-30, -5, "Vireluna", kNotice, 0x02FFD7BE);
    surface_.DrawText(390, 50, "Vireluna", kNotice, 0x02FFD7BE);
    for (int y = 0; y < cellHeight - 5; ++y)
        for (int x = 0; x < extent.width - 30; ++x) EXPECT_NE(image_.PixelAt(x, y), kPaper);
    EXPECT_EQ(image_.PixelAt(extent.width - 30 + 3, 0), kPaper);
    for (int y = 50; y < 60; ++y)
        for (int x = 390; x < 400; ++x) EXPECT_NE(image_.PixelAt(x, y), kPaper);
    EXPECT_EQ(image_.PixelAt(389, 55), kPaper);

    const RasterImage before = image_;
    for (const int far : {INT_MIN, INT_MAX, INT_MAX - 3}) {
        surface_.DrawText(far, far, "Vireluna", kNotice, 0x02FFD7BE);
        surface_.DrawText(far, 5, "\xff\xfe broken \xe2\x82", {"", INT_MIN, INT_MAX, true, 0},
                          0x02FFD7BE);
    }
    EXPECT_EQ(image_.Bytes(), before.Bytes());
}

// The notice starts up to 301 pixels short of the right screen edge: drawn in its font at the
// resolutions of common display scalings, every pixel it touches lies within its limit.
TEST(RasterNotice, TheNoticeFitsItsWidthLimitInTheNoticeFont) {
    for (const int dpi : {96, 120, 144}) {
        RasterImage logo;
        RasterImage image(2 * NoticeWidthLimit, 40, kPaper);
        RasterSurface surface(image, logo);
        surface.DrawText(0, 5, NoticeText, NoticeFont(dpi), BackgroundColour);
        int right = -1;
        for (int y = 0; y < image.Height(); ++y) {
            for (int x = 0; x < image.Width(); ++x) {
                if (image.PixelAt(x, y) != kPaper) right = std::max(right, x);
            }
        }
        EXPECT_GT(right, NoticeWidthLimit / 4) << dpi << " dpi: the notice was drawn";
        EXPECT_LT(right, NoticeWidthLimit) << dpi << " dpi";
    }
}

}  // namespace
}  // namespace vireluna::raster
