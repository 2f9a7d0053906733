// What the full-screen saver puts on the screen, checked against the settings and the design
// itself rather than against another drawing.
#include <gtest/gtest.h>

#include "tests/e2e_win32/driver/SaverTest.h"
#include "tools/windriver/Input.h"
#include "tools/windriver/PictureComparison.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/SaverResources.h"

namespace vireluna::e2e {
namespace {

constexpr Colour RuleRed{255, 0, 0};     // thread 10, the level rule of the pens design
constexpr Colour RuleBlue{11, 47, 132};  // thread 12, the upright rule drawn after it
constexpr int RuleFileUnits = 200;       // from the rule's first stitch to its last
constexpr int EmblemMargin = 10;         // from the left, right and top edges
constexpr int EmblemBottomMargin = 40;
constexpr auto DrawLimit = 20s;

struct Extent {
    int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;  // inclusive
    bool Empty() const { return right < 0; }
};

Extent ExtentOf(const Picture& picture, Colour colour) {
    Extent extent;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (!(picture.At(x, y) == colour)) continue;
            extent.left = std::min(extent.left, x);
            extent.right = std::max(extent.right, x);
            extent.top = std::min(extent.top, y);
            extent.bottom = std::max(extent.bottom, y);
        }
    }
    return extent;
}

bool EmblemAt(const Picture& screen, const Picture& emblem, int left, int top) {
    for (int y = 0; y < emblem.Height(); ++y)
        for (int x = 0; x < emblem.Width(); ++x)
            if (!(screen.At(left + x, top + y) == emblem.At(x, y))) return false;
    return true;
}

class FullScreen : public SaverTest {
  protected:
    // Plays the pens design unturned and waits until both rules are on the screen.
    Picture PensDrawnWith(unsigned long penSize, unsigned long reduction) {
        SaverProfile::SetNumber(L"PenSize", penSize);
        SaverProfile::SetNumber(L"Rotation", 0);
        SaverProfile::SetNumber(L"Reduction", reduction);
        SaverProfile::SetPlaylist({TestDesign("pens.pxs")});
        EXPECT_NE(StartFullScreen({{"VIRELUNA_SEED", "4"}}), nullptr);
        Picture shown;
        EXPECT_TRUE(WaitUntil(
            [&] {
                shown = Picture::FromScreen();
                return !ExtentOf(shown, RuleBlue).Empty();
            },
            DrawLimit));
        input::Key(VK_SPACE);
        EXPECT_EQ(runs_.back()->WaitForExit(), std::optional<DWORD>(0));
        return shown;
    }
};

TEST_F(FullScreen, CoversTheScreenOnTopWithBackgroundThreadColoursEmblemAndNotice) {
    const std::wstring design = SampleDesign("blossom.pxs");
    SaverProfile::SetPlaylist({design});
    HWND window = StartFullScreen({{"VIRELUNA_SEED", "77"}, {"VIRELUNA_TICKS", "150"}});
    ASSERT_NE(window, nullptr);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, ExpectedScreenWidth);
    EXPECT_EQ(frame.bottom, ExpectedScreenHeight);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_CAPTION);

    const std::set<std::uint32_t> threads = ThreadColours(design);
    ASSERT_FALSE(threads.empty());
    const Picture emblem = EmblemOfSaver();
    ASSERT_EQ(emblem.Width(), 96);
    ASSERT_EQ(emblem.Height(), 109);
    const int right = ExpectedScreenWidth - EmblemMargin - emblem.Width();
    const int bottom = ExpectedScreenHeight - EmblemBottomMargin - emblem.Height();
    const POINT corners[] = {{EmblemMargin, EmblemMargin},
                             {right, EmblemMargin},
                             {right, bottom},
                             {EmblemMargin, bottom}};

    // Wait until stitches are on the screen, then take it apart pixel by pixel.
    Picture shown;
    int stitched = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            shown = Picture::FromScreen();
            stitched = 0;
            for (int y = 0; y < shown.Height(); ++y)
                for (int x = 0; x < shown.Width(); ++x)
                    stitched += threads.count(Packed(shown.At(x, y))) != 0 ? 1 : 0;
            return stitched > 500;
        },
        DrawLimit));

    int emblems = 0;
    RECT emblemArea{};
    for (const POINT& corner : corners) {
        if (!EmblemAt(shown, emblem, corner.x, corner.y)) continue;
        ++emblems;
        emblemArea = {corner.x, corner.y, corner.x + emblem.Width(), corner.y + emblem.Height()};
    }
    EXPECT_EQ(emblems, 1) << "the emblem must sit unscaled in exactly one corner";

    const NoticeBox notice = FindNotice(shown, shown);
    EXPECT_TRUE(notice.found);
    int background = 0, strangers = 0;
    for (int y = 0; y < shown.Height(); ++y) {
        for (int x = 0; x < shown.Width(); ++x) {
            const POINT point{x, y};
            if (PtInRect(&emblemArea, point) || PtInRect(&notice.area, point)) continue;
            const Colour colour = shown.At(x, y);
            if (colour == Background) {
                ++background;
            } else if (threads.count(Packed(colour)) == 0) {
                ++strangers;
            }
        }
    }
    EXPECT_GT(background, ExpectedScreenWidth * ExpectedScreenHeight / 2);
    EXPECT_EQ(strangers, 0) << "pixels neither background nor a thread colour";
    if (strangers != 0) KeepForInspection(shown, "full-screen-colours");

    input::Key(VK_SPACE);
    EXPECT_EQ(runs_.back()->WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(FullScreen, PenSizeSetsTheLineWidth) {
    for (const unsigned long penSize : {0ul, 1ul, 2ul}) {
        const Extent rule = ExtentOf(PensDrawnWith(penSize, 100), RuleRed);
        ASSERT_FALSE(rule.Empty());
        // A level rule, round ends included, is exactly as thick as the pen.
        EXPECT_EQ(rule.bottom - rule.top + 1, static_cast<int>(penSize) + 1)
            << "PenSize " << penSize;
    }
}

TEST_F(FullScreen, ReductionSetsTheSize) {
    const Extent full = ExtentOf(PensDrawnWith(1, 100), RuleRed);
    const Extent half = ExtentOf(PensDrawnWith(1, 50), RuleRed);
    ASSERT_FALSE(full.Empty());
    ASSERT_FALSE(half.Empty());
    // The 2-pixel pen's round start reaches one pixel before the rule's first point.
    EXPECT_EQ(full.right - full.left, RuleFileUnits + 1);
    EXPECT_EQ(half.right - half.left, RuleFileUnits / 2 + 1);
}

}  // namespace
}  // namespace vireluna::e2e
