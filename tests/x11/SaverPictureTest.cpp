// The picture on X is the picture `vireluna render` gives for the same seed, settings and
// tick count, pixel for pixel, on the root window and in a small preview window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/x11/X11TestSupport.h"

namespace vireluna::x11test {
namespace {

constexpr auto PictureDeadline = 30s;

struct PictureCase {
    int screenWidth;
    int screenHeight;
    std::vector<std::string> designs;
    std::vector<std::string> settings;  // the same flags for the saver and the render
    std::string ticks;
    std::string seed;
};

// Waits until the grabbed picture equals the expected one; reports the last difference.
void ExpectPictureBecomes(const XvfbServer& server, Window window,
                          const raster::RasterImage& expected) {
    long different = -1;
    const bool equal = WaitFor(
        [&] {
            different = DifferentPixels(server.Grab(window), expected);
            return different == 0;
        },
        PictureDeadline);
    EXPECT_TRUE(equal) << different << " pixels differ from the render";
}

std::vector<std::string> Join(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

void ExpectRootEqualsRender(const PictureCase& test) {
    XvfbServer server(test.screenWidth, test.screenHeight);
    ASSERT_TRUE(server.Running());
    std::vector<std::string> common =
        Join({"--seed", test.seed, "--ticks", test.ticks}, test.settings);
    for (const std::string& design : test.designs) common.push_back(SamplePath(design));
    const std::string screen =
        std::to_string(test.screenWidth) + "x" + std::to_string(test.screenHeight);
    const std::optional<raster::RasterImage> expected = Render(Join({"--screen", screen}, common));
    ASSERT_TRUE(expected);

    ChildProcess saver(Join({SaverPath(), "--root"}, common), SaverEnvironment(server));
    ExpectPictureBecomes(server, x11::XNone, *expected);
    saver.Signal(SIGTERM);
    EXPECT_EQ(saver.WaitExit(5s), 0);
}

TEST(SaverPicture, RootWindowOf1024x768EqualsTheRender) {
    ExpectRootEqualsRender({1024, 768, {"blossom.pxs"}, {"--draw-speed", "1"}, "400", "2026"});
}

TEST(SaverPicture, RootWindowOf1280x1024WithOtherSettingsEqualsTheRender) {
    // Two designs and a hold shorter than the option page offers (used as a hand-edited
    // profile's): the picture passes through erases and a second design, with a bold pen.
    ExpectRootEqualsRender({1280,
                            1024,
                            {"logo.pxs", "koi.pxs"},
                            {"--draw-speed", "1", "--pen-size", "2", "--rotation", "3",
                             "--draw-step", "3", "--reduction", "100", "--hold-time", "20"},
                            "700",
                            "77"});
}

TEST(SaverPicture, RootWindowInTheThreadLookEqualsTheRender) {
    // Shaded bands over their shadows, through an erase into a second design.
    ExpectRootEqualsRender({1024,
                            768,
                            {"koi.pxs", "logo.pxs"},
                            {"--look", "thread", "--draw-speed", "1", "--draw-step", "3",
                             "--reduction", "100", "--hold-time", "20"},
                            "600",
                            "31"});
}

TEST(SaverPicture, GivenWindowOf320x240DrawsAsThePreviewDoes) {
    XvfbServer server(1024, 768);
    ASSERT_TRUE(server.Running());
    Display* display = server.Connection();
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 40, 30, 320, 240, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);

    const std::vector<std::string> common{
        "--seed", "5", "--ticks", "300", "--draw-speed", "1", SamplePath("mandala.pxs")};
    const std::optional<raster::RasterImage> expected =
        Render(Join({"--screen", "1024x768", "--preview", "320x240"}, common));
    ASSERT_TRUE(expected);
    ChildProcess saver(Join({SaverPath(), "--window-id", std::to_string(window)}, common),
                       SaverEnvironment(server));
    ExpectPictureBecomes(server, window, *expected);
    saver.Signal(SIGTERM);
    EXPECT_EQ(saver.WaitExit(5s), 0);
}

TEST(SaverPicture, RootModeDrawsIntoTheWindowTheDaemonNames) {
    XvfbServer server(1024, 768);
    ASSERT_TRUE(server.Running());
    Display* display = server.Connection();
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 320, 240, 0, 0, 0);
    XMapWindow(display, window);
    XSync(display, False);

    const std::vector<std::string> common{
        "--seed", "21", "--ticks", "150", "--draw-speed", "1", SamplePath("blossom.pxs")};
    const std::optional<raster::RasterImage> expected =
        Render(Join({"--screen", "1024x768", "--preview", "320x240"}, common));
    ASSERT_TRUE(expected);
    std::vector<std::string> environment = SaverEnvironment(server);
    environment.push_back("XSCREENSAVER_WINDOW=" + std::to_string(window));
    ChildProcess saver(Join({SaverPath(), "-root"}, common), environment);
    ExpectPictureBecomes(server, window, *expected);
    saver.Signal(SIGTERM);
    EXPECT_EQ(saver.WaitExit(5s), 0);
}

}  // namespace
}  // namespace vireluna::x11test
