// The X11 saver's own logic without a server: its timer, the changed-area bound and its
// command line.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/x11/SaverOptions.h"
#include "platform/x11/TickSchedule.h"
#include "platform/x11/TrackingSurface.h"
#include "presentation/Overlays.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"
#include "shell/SaverSettings.h"

namespace vireluna {
namespace {

using namespace std::chrono_literals;
using x11::TickSchedule;

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
        x11::ChangedArea changed;
        x11::TrackingSurface surface(raster, changed);
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
                ASSERT_FALSE(changed.Empty()) << "round " << round;
                ASSERT_TRUE(px >= changed.Left() && px < changed.Right() && py >= changed.Top() &&
                            py < changed.Bottom())
                    << "round " << round << ": pixel " << px << "," << py << " outside";
            }
        }
    }
}

saver::ParseOutcome Parse(std::vector<std::string> arguments, saver::SaverOptions& options,
                          std::string& error) {
    return saver::ParseSaverOptions(arguments, options, error);
}

TEST(SaverOptions, TakesXScreenSaverStyleSingleDashOptionsAndHexWindowIds) {
    saver::SaverOptions options;
    std::string error;
    // A hold outside the option page's range, as a hand-edited profile may hold it.
    ASSERT_EQ(Parse({"-window-id", "0x1a00007", "-pen-size", "2", "-hold-time=20", "-look",
                     "thread", "--other-monitors=plain", "a.pxs"},
                    options, error),
              saver::ParseOutcome::Run)
        << error;
    EXPECT_EQ(options.mode, saver::SaverMode::WindowId);
    EXPECT_EQ(options.windowId, 0x1a00007u);
    EXPECT_EQ(options.configOverrides.at("PenSize"), 2);
    EXPECT_EQ(options.configOverrides.at("HoldTime"), 20);
    EXPECT_EQ(options.configOverrides.at("Look"), static_cast<int>(StitchLook::Thread));
    EXPECT_EQ(options.configOverrides.at("Monitors"), static_cast<int>(OtherMonitors::Plain));
    EXPECT_EQ(options.files, std::vector<std::string>{"a.pxs"});

    saver::SaverOptions decimal;
    ASSERT_EQ(Parse({"--window-id=27262983"}, decimal, error), saver::ParseOutcome::Run);
    EXPECT_EQ(decimal.windowId, 27262983u);
}

TEST(SaverOptions, DefaultsToAWindowWithTheProfilesPlaylist) {
    saver::SaverOptions options;
    std::string error;
    ASSERT_EQ(Parse({}, options, error), saver::ParseOutcome::Run);
    EXPECT_EQ(options.mode, saver::SaverMode::Window);
    EXPECT_EQ(options.geometry.width, 1024);
    EXPECT_EQ(options.geometry.height, 768);
    EXPECT_TRUE(options.files.empty());
    EXPECT_TRUE(options.configOverrides.empty());
    EXPECT_FALSE(options.ticks);
}

TEST(SaverOptions, RefusesWhatItCannotUseAndSaysWhy) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> refusals{
        {{"--reduction", "80%"}, "--reduction wants a whole number, not '80%'"},
        {{"--draw-speed", "4294967296"}, "--draw-speed wants a whole number, not '4294967296'"},
        {{"--rotation", "two"}, "--rotation wants a whole number, not 'two'"},
        {{"--look", "1"}, "--look wants flat or thread, not '1'"},
        {{"--other-monitors"}, "--other-monitors needs a value"},
        {{"--ticks", "0"}, "--ticks wants a whole number from 1"},
        {{"--seed"}, "--seed needs a value"},
        {{"--window-id", "0"}, "--window-id wants a window id"},
        {{"--geometry", "big"}, "--geometry wants WIDTHxHEIGHT, not 'big'"},
        {{"--window", "--root"}, "give only one of"},
        {{"--root=1"}, "--root takes no value"},
        {{"-x"}, "unknown option '-x'"},
    };
    for (const auto& [arguments, message] : refusals) {
        saver::SaverOptions options;
        std::string error;
        EXPECT_EQ(Parse(arguments, options, error), saver::ParseOutcome::UsageError)
            << arguments[0];
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    std::vector<std::string> tooMany(21, "a.pxs");
    saver::SaverOptions options;
    std::string error;
    EXPECT_EQ(Parse(tooMany, options, error), saver::ParseOutcome::UsageError);
}

}  // namespace
}  // namespace vireluna
