// The full-screen saver on a desk of several monitors: a run on every monitor, each as
// `vireluna render --monitors` draws it, the primary as a one-monitor saver plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "drivers/x11/Xlib.h"
#include "tests/x11/X11TestSupport.h"

namespace vireluna::x11test {
namespace {

constexpr auto PictureDeadline = 30s;
constexpr auto EndDeadline = 5s;
const raster::Rgb Field{190, 215, 255};

std::vector<std::string> Join(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

raster::RasterImage Crop(const raster::RasterImage& image, const TestMonitor& area) {
    raster::RasterImage part(area.width, area.height);
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            part.SetPixel(x, y, image.PixelAt(area.x + x, area.y + y));
        }
    }
    return part;
}

long FieldPixels(const raster::RasterImage& image) {
    long count = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) count += image.PixelAt(x, y) == Field ? 1 : 0;
    }
    return count;
}

// The same seed, ticks and designs for the saver and the renders.
std::vector<std::string> Common(const std::string& seed, const std::string& ticks) {
    return {"--seed",
            seed,
            "--ticks",
            ticks,
            "--draw-speed",
            "1",
            "--hold-time",
            "30",
            SamplePath("blossom.pxs"),
            SamplePath("koi.pxs"),
            SamplePath("mandala.pxs")};
}

// The top-left corner of the monitors' bounds, on the root window.
std::pair<int, int> BoundsCorner(const std::vector<TestMonitor>& monitors) {
    int left = monitors[0].x, top = monitors[0].y;
    for (const TestMonitor& monitor : monitors) {
        left = std::min(left, monitor.x);
        top = std::min(top, monitor.y);
    }
    return {left, top};
}

// Pixels of the monitors' areas that differ between the screen and the render over the same
// monitors; outside the monitors a server need not keep any picture.
long DifferentOnMonitors(const raster::RasterImage& screen, const raster::RasterImage& render,
                         const std::vector<TestMonitor>& monitors, const TestMonitor& bounds) {
    long different = 0;
    for (const TestMonitor& monitor : monitors) {
        const TestMonitor inRender{monitor.width, monitor.height, monitor.x - bounds.x,
                                   monitor.y - bounds.y};
        different += DifferentPixels(Crop(screen, monitor), Crop(render, inRender));
    }
    return different;
}

// Starts the full-screen saver and waits until every monitor shows what the render over the
// same monitors shows there; gives the screen's picture of the monitors' bounds.
raster::RasterImage ExpectScreenEqualsRender(const XServer& server,
                                             const std::vector<TestMonitor>& monitors,
                                             const std::vector<std::string>& common,
                                             std::unique_ptr<ChildProcess>& saver) {
    const std::optional<raster::RasterImage> expected =
        Render(Join({"--monitors", MonitorList(monitors)}, common));
    EXPECT_TRUE(expected);
    if (!expected) return {};
    const auto [left, top] = BoundsCorner(monitors);
    const TestMonitor bounds{expected->Width(), expected->Height(), left, top};
    saver = std::make_unique<ChildProcess>(Join({SaverPath(), "--fullscreen"}, common),
                                           SaverEnvironment(server));
    long different = -1;
    raster::RasterImage screen;
    const bool equal = WaitFor(
        [&] {
            screen = server.Grab();
            different = DifferentOnMonitors(screen, *expected, monitors, bounds);
            return different == 0;
        },
        PictureDeadline);
    EXPECT_TRUE(equal) << different << " pixels differ from render --monitors "
                       << MonitorList(monitors);
    return Crop(screen, bounds);
}

// Every monitor stitches, and the primary's area is what a one-monitor render of it shows.
void ExpectEveryMonitorStitches(const raster::RasterImage& shown,
                                const std::vector<TestMonitor>& monitors, int boundsLeft,
                                int boundsTop, const std::vector<std::string>& common) {
    for (const TestMonitor& monitor : monitors) {
        const TestMonitor inPicture{monitor.width, monitor.height, monitor.x - boundsLeft,
                                    monitor.y - boundsTop};
        const raster::RasterImage area = Crop(shown, inPicture);
        EXPECT_LT(FieldPixels(area), static_cast<long>(monitor.width) * monitor.height)
            << "nothing stitched on " << monitor.Geometry();
    }
    const TestMonitor& primary = monitors[0];
    const std::optional<raster::RasterImage> alone = Render(
        Join({"--screen", std::to_string(primary.width) + "x" + std::to_string(primary.height)},
             common));
    ASSERT_TRUE(alone);
    const TestMonitor inPicture{primary.width, primary.height, primary.x - boundsLeft,
                                primary.y - boundsTop};
    EXPECT_EQ(DifferentPixels(Crop(shown, inPicture), *alone), 0)
        << "the primary differs from a one-monitor render";
}

// The saver over these monitors shows the render's picture, stitches on each and plays the
// primary as one monitor alone; it ends with SIGTERM. Gives the picture of the bounds.
raster::RasterImage ExpectPlaysOnEveryMonitor(const XServer& server,
                                              const std::vector<TestMonitor>& monitors,
                                              const std::vector<std::string>& common) {
    std::unique_ptr<ChildProcess> saver;
    const raster::RasterImage shown = ExpectScreenEqualsRender(server, monitors, common, saver);
    if (!saver) return shown;
    const auto [left, top] = BoundsCorner(monitors);
    ExpectEveryMonitorStitches(shown, monitors, left, top, common);
    saver->Signal(SIGTERM);
    EXPECT_EQ(saver->WaitExit(EndDeadline), 0) << saver->Stderr();
    return shown;
}

TEST(Monitors, TwoRandRMonitorsOfDifferentSizesEachPlayTheirOwnRun) {
    XvfbServer server(1600, 600);
    ASSERT_TRUE(server.Running());
    const std::vector<TestMonitor> monitors{{900, 600, 0, 0}, {700, 500, 900, 100}};
    ASSERT_TRUE(SetRandRMonitors(server, monitors));
    const raster::RasterImage shown =
        ExpectPlaysOnEveryMonitor(server, monitors, Common("11", "500"));
    // The two runs draw from generators of their own: not the same picture twice.
    EXPECT_NE(DifferentPixels(Crop(shown, {700, 500, 0, 0}), Crop(shown, {700, 500, 900, 100})), 0);
}

TEST(Monitors, ThreeRandRMonitorsAwayFromTheRootsCornerAreEachCovered) {
    XvfbServer server(1800, 700);
    ASSERT_TRUE(server.Running());
    // The primary in the middle; nothing covers the root's left edge.
    const std::vector<TestMonitor> monitors{
        {800, 600, 500, 0}, {400, 300, 100, 200}, {500, 700, 1300, 0}};
    ASSERT_TRUE(SetRandRMonitors(server, monitors));
    ExpectPlaysOnEveryMonitor(server, monitors, Common("23", "400"));
}

TEST(Monitors, XineramaHeadsOfTheDummyDriverAreEachCovered) {
    if (const std::string why = XorgDummyServer::Unavailable(); !why.empty()) GTEST_SKIP() << why;
    const std::vector<TestMonitor> heads{{800, 600, 0, 0}, {640, 480, 800, 0}};
    XorgDummyServer server(heads);
    ASSERT_TRUE(server.Running());
    ExpectPlaysOnEveryMonitor(server, heads, Common("31", "400"));
}

TEST(Monitors, OtherMonitorsStayPlainWhenTheSettingSaysSo) {
    XvfbServer server(1600, 600);
    ASSERT_TRUE(server.Running());
    const std::vector<TestMonitor> monitors{{800, 600, 800, 0}, {800, 600, 0, 0}};
    ASSERT_TRUE(SetRandRMonitors(server, monitors));
    const std::vector<std::string> common = Join({"--other-monitors", "plain"}, Common("5", "300"));
    std::unique_ptr<ChildProcess> saver;
    const raster::RasterImage shown = ExpectScreenEqualsRender(server, monitors, common, saver);
    ASSERT_TRUE(saver);
    EXPECT_EQ(FieldPixels(Crop(shown, {800, 600, 0, 0})), 800L * 600);
    EXPECT_LT(FieldPixels(Crop(shown, {800, 600, 800, 0})), 800L * 600);
    saver->Signal(SIGTERM);
    EXPECT_EQ(saver->WaitExit(EndDeadline), 0);
}

TEST(Monitors, PointerMovedOnAnotherMonitorEndsTheSaver) {
    XvfbServer server(1600, 600);
    ASSERT_TRUE(server.Running());
    ASSERT_TRUE(SetRandRMonitors(server, {{800, 600, 0, 0}, {800, 600, 800, 0}}));
    ASSERT_TRUE(XDoTool(server, {"mousemove", "1200", "300"}));
    ChildProcess saver({SaverPath(), "--fullscreen", "--seed", "3", SamplePath("koi.pxs")},
                       SaverEnvironment(server));
    // Up once the second monitor shows the field.
    ASSERT_TRUE(WaitFor([&] { return server.Grab().PixelAt(1590, 10) == Field; }, 20s));
    ASSERT_TRUE(XDoTool(server, {"mousemove", "1203", "301"}));  // 9 + 1: stays
    EXPECT_FALSE(saver.WaitExit(500ms));
    ASSERT_TRUE(XDoTool(server, {"mousemove", "1203", "302"}));  // 9 + 4: ends
    EXPECT_EQ(saver.WaitExit(EndDeadline), 0);
}

// No sanitizer report and no crash: what a run that read freed memory would leave.
void ExpectCleanEnd(ChildProcess& saver) {
    EXPECT_EQ(saver.WaitExit(EndDeadline * 4), 0) << saver.Stderr();
    EXPECT_EQ(saver.Stderr().find("Sanitizer"), std::string::npos) << saver.Stderr();
    EXPECT_EQ(saver.Stderr().find("runtime error"), std::string::npos) << saver.Stderr();
}

// --stats at the end reports the primary that runs then, not the one the change replaced.
TEST(Monitors, AMonitorRemovedWhileTheSaverRunsLeavesItCoveringTheRest) {
    XvfbServer server(1600, 600);
    ASSERT_TRUE(server.Running());
    ASSERT_TRUE(SetRandRMonitors(server, {{800, 600, 0, 0}, {800, 600, 800, 0}}));
    ChildProcess saver(Join({SaverPath(), "--fullscreen", "--stats"}, Common("9", "100000")),
                       SaverEnvironment(server));
    ASSERT_TRUE(WaitFor(
        [&] {
            return FieldPixels(Crop(server.Grab(), {800, 600, 800, 0})) < 800L * 600;
        },
        20s));
    ASSERT_TRUE(DeleteRandRMonitor(server, 1));
    // The window now covers the primary alone: the black root shows where the second was,
    // while the primary goes on stitching.
    const raster::Rgb root{0, 0, 0};
    EXPECT_TRUE(WaitFor(
        [&] {
            const raster::RasterImage screen = server.Grab();
            return screen.PixelAt(1590, 590) == root && screen.PixelAt(1590, 10) == root &&
                   FieldPixels(Crop(screen, {800, 600, 0, 0})) < 800L * 600;
        },
        10s));
    EXPECT_TRUE(saver.Running());
    ASSERT_TRUE(XDoTool(server, {"key", "a"}));
    ExpectCleanEnd(saver);
    EXPECT_NE(saver.Stderr().find(" ticks in "), std::string::npos) << saver.Stderr();
}

// With seventeen monitors the window used to cover sixteen and leave the desktop showing on
// the seventeenth. It covers all of them; the seventeenth keeps the field colour, as the
// render over the same monitors shows.
TEST(Monitors, TheSeventeenthMonitorIsCoveredWithTheField) {
    XvfbServer server(1920, 600);
    ASSERT_TRUE(server.Running());
    std::vector<TestMonitor> monitors;
    for (int place = 0; place < 17; ++place) {
        monitors.push_back({320, 200, 320 * (place % 6), 200 * (place / 6)});
    }
    ASSERT_TRUE(SetRandRMonitors(server, monitors));
    std::unique_ptr<ChildProcess> saver;
    const raster::RasterImage shown =
        ExpectScreenEqualsRender(server, monitors, Common("4", "40"), saver);
    ASSERT_TRUE(saver);
    EXPECT_EQ(FieldPixels(Crop(shown, monitors[16])), 320L * 200);
    EXPECT_LT(FieldPixels(Crop(shown, monitors[15])), 320L * 200);
    saver->Signal(SIGTERM);
    EXPECT_EQ(saver->WaitExit(EndDeadline), 0) << saver->Stderr();
}

// A folder passes start-up and fails to load. Its message used to be centred on the bounds of
// all monitors, across the bezel between two of them: it is centred on the primary, whose run
// names it, once. A monitor removed while the message is up used to replace the runs under the
// one showing it: a crash once the message closed. The runs now follow the change at once
// and the message stays up; with nothing left to play the saver then ends as usual.
TEST(Monitors, AFailedLoadsMessageIsCentredOnThePrimaryAndOutlastsAMonitorRemoved) {
    XvfbServer server(1280, 480);
    ASSERT_TRUE(server.Running());
    // The primary is the right-hand one.
    ASSERT_TRUE(SetRandRMonitors(server, {{640, 480, 640, 0}, {640, 480, 0, 0}}));
    const std::string folder = TestFolder() + "/not-a-design";
    std::filesystem::create_directories(folder);
    ChildProcess saver({SaverPath(), "--fullscreen", folder}, SaverEnvironment(server));
    const raster::Rgb panel{240, 240, 240};
    // Inside the panel's right margin on the primary, and where a panel across the bezel
    // would reach on the other monitor.
    ASSERT_TRUE(WaitFor(
        [&] {
            const raster::RasterImage screen = server.Grab();
            return screen.PixelAt(1275, 270) == panel && screen.PixelAt(400, 270) != panel;
        },
        20s))
        << saver.Stderr();
    ASSERT_TRUE(DeleteRandRMonitor(server, 1));
    ExpectCleanEnd(saver);
    EXPECT_EQ(saver.Stderr().find(folder), saver.Stderr().rfind(folder))
        << "one file, one message: " << saver.Stderr();
}

}  // namespace
}  // namespace vireluna::x11test
