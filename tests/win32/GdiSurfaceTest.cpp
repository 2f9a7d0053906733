#include <windows.h>

#include <gtest/gtest.h>

#include "core/presentation/Background.h"
#include "core/presentation/Notice.h"
#include "core/presentation/NoticeFont.h"
#include "core/saver/AreaSurface.h"
#include "drivers/win32/GdiSurface.h"

namespace vireluna::win32 {
namespace {

constexpr int Width = 2 * NoticeWidthLimit;
constexpr int Height = 200;
constexpr COLORREF White = RGB(255, 255, 255);

// A memory DC over a 32-bit DIB, so that every pixel reads back exactly as drawn.
class GdiSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        ASSERT_NE(dc, nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(bitmap, nullptr);
        previous = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, Width, Height, WHITENESS);
    }
    void TearDown() override {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    int CountInRect(int left, int top, int right, int bottom, COLORREF colour) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += At(x, y) == colour ? 1 : 0;
        }
        return count;
    }
    int CountNotIn(int left, int top, int right, int bottom, COLORREF colour) const {
        return (right - left) * (bottom - top) - CountInRect(left, top, right, bottom, colour);
    }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    void* bits = nullptr;
};

TEST_F(GdiSurfaceTest, FillsExactlyTheRectangleWithTheBackgroundColour) {
    GdiSurface surface(dc, GetModuleHandleW(nullptr));
    surface.FillRect(10, 20, 110, 70, BackgroundColour);
    EXPECT_EQ(CountInRect(10, 20, 110, 70, RGB(190, 215, 255)), 100 * 50);
    EXPECT_EQ(At(9, 20), White);
    EXPECT_EQ(At(110, 69), White);
    EXPECT_EQ(At(10, 70), White);
}

TEST_F(GdiSurfaceTest, LinesUseTheThreadColourValueAsItStandsAndThePenWidth) {
    {
        GdiSurface surface(dc, GetModuleHandleW(nullptr));
        surface.SetPen(1, 0x0200A0FFu);  // the 0x02 top byte is part of every colour value
        surface.MoveTo(10, 10);
        surface.LineTo(60, 10);
        surface.SetPen(3, 0x02604020u);
        surface.MoveTo(100, 20);
        surface.LineTo(100, 80);
    }
    // A line leaves out its last point.
    EXPECT_EQ(CountInRect(10, 10, 60, 11, RGB(0xFF, 0xA0, 0x00)), 50);
    EXPECT_EQ(At(60, 10), White);
    EXPECT_EQ(CountNotIn(0, 9, Width, 10, White), 0);
    EXPECT_EQ(CountNotIn(0, 11, 90, 12, White), 0);
    // Three pixels wide, centred on the line.
    const COLORREF thick = RGB(0x20, 0x40, 0x60);
    EXPECT_EQ(CountInRect(99, 40, 102, 41, thick), 3);
    EXPECT_EQ(At(98, 40), White);
    EXPECT_EQ(At(102, 40), White);
}

TEST_F(GdiSurfaceTest, TheEmblemIsCopiedUnscaledFromBitmap132) {
    {
        GdiSurface surface(dc, GetModuleHandleW(nullptr));
        surface.DrawLogo(30, 40);
    }
    // Its corners are the light-blue field; the moon is navy; nothing outside is touched.
    EXPECT_EQ(At(30, 40), RGB(198, 222, 255));
    EXPECT_EQ(At(30 + LogoWidth - 1, 40 + LogoHeight - 1), RGB(198, 222, 255));
    EXPECT_GT(CountInRect(30, 40, 30 + LogoWidth, 40 + LogoHeight, RGB(22, 34, 94)), 100);
    EXPECT_EQ(CountNotIn(30, 40 + LogoHeight, Width, Height, White), 0);
    EXPECT_EQ(CountNotIn(30 + LogoWidth, 0, Width, Height, White), 0);
    EXPECT_EQ(CountNotIn(0, 0, 30, Height, White), 0);
}

// The notice starts up to 301 pixels short of the right screen edge: at the resolutions of
// common display scalings, every pixel it touches lies within its limit.
TEST_F(GdiSurfaceTest, TheNoticeIsBlackTextOnAnOpaqueBackgroundWithinItsWidthLimit) {
    constexpr int Left = 20;
    constexpr int Top = 100;
    for (const int dpi : {96, 120, 144}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        PatBlt(dc, 0, 0, Width, Height, WHITENESS);
        {
            GdiSurface surface(dc, GetModuleHandleW(nullptr));
            surface.DrawText(Left, Top, NoticeText, NoticeFont(dpi), BackgroundColour);
        }
        EXPECT_GT(CountInRect(Left, Top, Width, Top + 30, RGB(0, 0, 0)), 20);
        EXPECT_GT(CountInRect(Left, Top, Width, Top + 30, RGB(190, 215, 255)), 100);
        EXPECT_EQ(CountNotIn(0, 0, Width, Top, White), 0);
        EXPECT_EQ(CountNotIn(0, Top, Left, Height, White), 0);
        EXPECT_EQ(CountNotIn(Left + NoticeWidthLimit, 0, Width, Height, White), 0);
    }
}

// A monitor's run draws through its area of the window: GDI keeps every stroke, fill, text and
// the emblem inside it, and the clip goes with the area.
TEST_F(GdiSurfaceTest, AMonitorsAreaKeepsItsDrawingInsideIt) {
    GdiSurface surface(dc, GetModuleHandleW(nullptr));
    {
        AreaSurface area(surface, MonitorRect{100, 40, 90, 70});
        area.FillRect(-50, -50, 500, 500, BackgroundColour);
        area.SetPen(9, 0x02112233u);
        area.MoveTo(-30, 35);
        area.LineTo(400, 35);
        area.DrawText(60, 10, "far too wide to fit", FontSpec{"Arial", -20, 700, false, 0},
                      BackgroundColour);
        area.DrawLogo(70, 50);
    }
    EXPECT_EQ(CountNotIn(100, 40, 190, 110, White), 90 * 70) << "the area itself is drawn";
    EXPECT_EQ(CountNotIn(0, 0, Width, 40, White), 0);
    EXPECT_EQ(CountNotIn(0, 110, Width, Height, White), 0);
    EXPECT_EQ(CountNotIn(0, 40, 100, 110, White), 0);
    EXPECT_EQ(CountNotIn(190, 40, Width, 110, White), 0);
    surface.FillRect(0, 0, 10, 10, BackgroundColour);
    EXPECT_EQ(CountInRect(0, 0, 10, 10, RGB(190, 215, 255)), 100) << "the clip outlived its area";
}

TEST_F(GdiSurfaceTest, LeavesTheContextAsItFoundIt) {
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    {
        GdiSurface surface(dc, GetModuleHandleW(nullptr));
        surface.SetPen(2, 0x02112233u);
        surface.SetPen(3, 0x02445566u);
        surface.FillRect(0, 0, 5, 5, BackgroundColour);
        surface.DrawText(0, 0, "x", FontSpec{"Arial", -13, 700, true, 0}, BackgroundColour);
        surface.DrawLogo(0, 0);
        EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);  // the pen stays for the lines to come
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
}

}  // namespace
}  // namespace vireluna::win32
