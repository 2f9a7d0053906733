#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <vector>

#include "core/presentation/Background.h"
#include "core/presentation/LogoCorner.h"
#include "core/presentation/Notice.h"
#include "core/presentation/Rounding.h"
#include "tests/core/FakeSurface.h"

namespace vireluna {
namespace {

using fakes::FakeSurface;
using fakes::SurfaceCall;
using fakes::SurfaceCallKind;

TEST(SetLogoCorner, PlacesTheLogoInsideEachCornerAndDrawLogoCopiesItThere) {
    const ScreenSize screen{1024, 768};
    // Corner 2 covers x 918..1013 and y 619..727, clear of the notice at 738.
    const int lefts[] = {10, 918, 918, 10};
    const int tops[] = {10, 10, 619, 619};
    for (int k = 0; k < 4; ++k) {
        LogoState logo;
        SetLogoCorner(k, screen, logo);
        const Rect& r = logo.logoRect;
        EXPECT_EQ(std::tuple(logo.logoCorner, r.left, r.top, r.right, r.bottom),
                  std::tuple(k, lefts[k], tops[k], lefts[k] + 96, tops[k] + 109));
        FakeSurface surface;
        DrawLogo(surface, logo);
        ASSERT_EQ(surface.calls.size(), 1u);
        EXPECT_EQ(surface.calls[0].kind, SurfaceCallKind::DrawLogo);
        EXPECT_EQ(surface.calls[0].ints, (std::vector{lefts[k], tops[k]}));
    }
    LogoState logo;
    SetLogoCorner(9, screen, logo);  // names no corner: the top-left one
    EXPECT_EQ(std::tuple(logo.logoCorner, logo.logoRect.left), std::tuple(LogoTopLeft, 10));
}

TEST(DrawNotice, DrawsTheNoticeAtARandomMultipleOfTenNearTheBottom) {
    Random random(17);
    Random expected(17);
    FakeSurface surface;
    int lowest = 1024;
    int highest = -1;
    for (int design = 0; design < 3000; ++design) {
        DrawNotice(surface, {1024, 768}, 1024 - 300, random);
        const int x = surface.calls.back().ints[0];
        ASSERT_EQ(x, expected.Next() % 724 / 10 * 10);
        lowest = std::min(lowest, x);
        highest = std::max(highest, x);
    }
    EXPECT_EQ(random.State(), expected.State());
    EXPECT_EQ(std::tuple(lowest, highest), std::tuple(0, 720));  // 723 down to a multiple of 10

    const SurfaceCall& call = surface.calls.at(0);
    EXPECT_EQ(call.kind, SurfaceCallKind::DrawText);
    EXPECT_EQ(call.ints[1], 738);
    EXPECT_EQ(call.text, NoticeText);
    EXPECT_EQ(call.colour, 0x00FFD7BEu);  // red 190, green 215, blue 255
    EXPECT_EQ(std::tuple(call.fontFace, call.fontHeight, call.fontWeight, call.fontItalic,
                         call.fontCharSet),
              std::tuple("Arial", -13, 700, true, 0));
}

TEST(DrawNotice, FontHeightIsTenPointsRoundedToTheNearestPixel) {
    // 10 x dpi / 72: 96 -> 13.33, 120 -> 16.67, 144 -> 20, 90 -> 12.5 (half: away from zero).
    const std::pair<int, int> dpiHeights[] = {{96, -13}, {120, -17}, {144, -20}, {90, -13}};
    for (const auto& [dpi, height] : dpiHeights) {
        FakeSurface surface(dpi);
        Random random(1);
        DrawNotice(surface, {800, 600}, 500, random);
        EXPECT_EQ(surface.calls.at(0).fontHeight, height) << dpi << " dpi";
    }
    EXPECT_EQ(MulDiv(-10, 90, 72), -13);
    EXPECT_EQ(MulDiv(1 << 30, 1 << 30, 1 << 30), 1 << 30);  // 64-bit intermediate
    EXPECT_EQ(MulDiv(1 << 30, 1 << 30, 2), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(MulDiv(10, 96, 0), 0);
}

TEST(DrawNotice, NarrowScreenStillDrawsOnceAndStartsAtTheLeftEdge) {
    for (const int width : {300, 120, 0}) {
        Random random(4);
        Random expected(4);
        expected.Next();
        FakeSurface surface;
        DrawNotice(surface, {width, 200}, width - 300, random);
        EXPECT_EQ(random.State(), expected.State());
        ASSERT_EQ(surface.calls.size(), 1u);
        EXPECT_EQ(surface.calls[0].ints, (std::vector{0, 170}));
    }
}

TEST(OnEraseBkgnd, FillsTheClientAreaWithTheBackground) {
    FakeSurface surface;
    EXPECT_TRUE(OnEraseBkgnd(surface, 640, 480));
    ASSERT_EQ(surface.calls.size(), 1u);
    EXPECT_EQ(surface.calls[0].kind, SurfaceCallKind::FillRect);
    EXPECT_EQ(surface.calls[0].ints, (std::vector{0, 0, 640, 480}));
    EXPECT_EQ(surface.calls[0].colour, 0x00FFD7BEu);
}

}  // namespace
}  // namespace vireluna
