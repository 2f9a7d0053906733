// The window in memory that the X11 saver shows: its timer and the bound of what a tick changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "drivers/headless/TickSchedule.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "raster/TrackingSurface.h"

namespace vireluna {
namespace {

using namespace std::chrono_literals;
using headless::TickSchedule;

TEST(TickSchedule, TicksStayOnTheirGridSoTheRateDoesNotDrift) {
    TickSchedule schedule;
    const TickSchedule::Clock::time_point start{};
    schedule.Start(start, 30ms);
    EXPECT_FALSE(schedule.Due(start + 29ms));
    // Each tick runs a little late; the next is still due on the 30 ms grid.
    int ticks = 0;
    for (auto now = start; ticks < 2000; now += 1ms) {
        if (!schedule.Due(now)) continue;
        schedule.Advance(now + 2ms);
        ++ticks;
    }
    EXPECT_EQ(schedule.UntilDue(start + 2000 * 30ms), 30ms);
}

TEST(TickSchedule, ALateTickDoesNotCauseABurstOfCatchUpTicks) {
    TickSchedule schedule;
    const TickSchedule::Clock::time_point start{};
    schedule.Start(start, 30ms);
    const auto late = start + 500ms;  // the tick at 30 ms ran only now
    ASSERT_TRUE(schedule.Due(late));
    schedule.Advance(late);
    EXPECT_FALSE(schedule.Due(late));
    EXPECT_EQ(schedule.UntilDue(late), 30ms);
}

TEST(TickSchedule, AStoppedTimerIsNeverDueAndARestartWaitsAWholePeriod) {
    TickSchedule schedule;
    const TickSchedule::Clock::time_point start{};
    schedule.Start(start, 30ms);
    schedule.Stop();
    EXPECT_FALSE(schedule.Due(start + 1h));
    EXPECT_EQ(schedule.UntilDue(start), TickSchedule::Clock::duration::max());
    schedule.Start(start + 1h, 100ms);
    EXPECT_FALSE(schedule.Due(start + 1h + 99ms));
    EXPECT_TRUE(schedule.Due(start + 1h + 100ms));
}

// Everything the saver draws lands inside the rectangle the window is sent.
TEST(TrackingSurface, TheChangedAreaHoldsEveryPixelThatChanged) {
    const raster::Rgb field{190, 215, 255};
    raster::RasterImage image(400, 300, field);
    raster::RasterImage logo(LogoWidth, LogoHeight, {1, 2, 3});
    raster::RasterSurface raster(image, logo);
    std::srand(17);
    for (int round = 0; round < 200; ++round) {
        const raster::RasterImage before = image;
        raster::ChangedArea changed;
        raster::TrackingSurface surface(raster, changed);
        const int kind = round % 4;
        const int x = std::rand() % 460 - 30;
        const int y = std::rand() % 360 - 30;
        if (kind == 0) {
            surface.SetPen(1 + round % 3, 0x000000FFu + static_cast<unsigned>(round));
            surface.MoveTo(x, y);
            surface.LineTo(std::rand() % 460 - 30, std::rand() % 360 - 30);
        } else if (kind == 1) {
            surface.DrawLogo(x, y);
        } else if (kind == 2) {
            surface.DrawText(x, y, "Vireluna stitches", {"Arial", -13, 700, true, 0}, 0x00FFFFFF);
        } else {
            surface.FillRect(x, y, x + 25, y + 15, static_cast<unsigned>(round) * 0x10203u);
        }
        changed.Clip(image.Width(), image.Height());
        for (int py = 0; py < image.Height(); ++py) {
            for (int px = 0; px < image.Width(); ++px) {
                if (image.PixelAt(px, py) == before.PixelAt(px, py)) continue;
                const auto& boxes = changed.Boxes();
                ASSERT_TRUE(std::any_of(boxes.begin(), boxes.end(),
                                        [&](const raster::PixelBox& box) {
                                            return px >= box.left && px < box.right &&
                                                   py >= box.top && py < box.bottom;
                                        }))
                    << "round " << round << ": pixel " << px << "," << py << " outside";
            }
        }
    }
}

// Runs on two monitors change two far places: what lies between is not sent, unless a change
// bridges them.
TEST(ChangedArea, KeepsChangesFarApartAsSeparateBoxes) {
    raster::ChangedArea changed;
    changed.Add(10, 10, 20, 20);
    changed.Add(1900, 10, 1910, 20);
    changed.Add(15, 15, 30, 25);  // grows the first
    ASSERT_EQ(changed.Boxes().size(), 2u);
    EXPECT_EQ(changed.Boxes().back().right, 30);
    changed.Add(0, 0, 2000, 12);  // touches both: one box
    ASSERT_EQ(changed.Boxes().size(), 1u);
    EXPECT_EQ(changed.Box().bottom, 25);
    for (int i = 0; i < 8; ++i) changed.Add(100 * i, 500, 100 * i + 10, 510);
    EXPECT_LE(changed.Boxes().size(), raster::ChangedArea::MaxBoxes);
}

}  // namespace
}  // namespace vireluna
