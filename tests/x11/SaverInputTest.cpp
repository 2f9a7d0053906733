// The full-screen saver ends on the input that ends the Windows saver; the module modes
// leave input to the daemon that runs them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "drivers/x11/Xlib.h"
#include "tests/x11/X11TestSupport.h"

namespace vireluna::x11test {
namespace {

constexpr auto StartDeadline = 20s;
constexpr auto EndDeadline = 5s;
// Input that must not end the saver: it is still running this long after the input.
constexpr auto StaysDeadline = 500ms;
constexpr int PointerStartX = 500;
constexpr int PointerStartY = 400;

const raster::Rgb Background{190, 215, 255};

class FullScreenSaver : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { server_ = std::make_unique<XvfbServer>(1024, 768); }
    static void TearDownTestSuite() { server_.reset(); }

    // Starts the saver with the pointer at a known place and waits until its window is up:
    // by then it holds the focus and knows where the pointer was.
    void SetUp() override {
        ASSERT_TRUE(server_->Running());
        server_->ClearRoot();
        ASSERT_TRUE(XDoTool(
            *server_, {"mousemove", std::to_string(PointerStartX), std::to_string(PointerStartY)}));
        saver_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{SaverPath(), "--fullscreen", "--seed", "3",
                                     SamplePath("koi.pxs")},
            SaverEnvironment(*server_));
        ASSERT_TRUE(WaitFor([this] { return CornerPixel() == Background; }, StartDeadline))
            << "the full-screen window did not appear";
    }
    void TearDown() override { saver_.reset(); }

    raster::Rgb CornerPixel() const {
        XImage* image = XGetImage(server_->Connection(), DefaultRootWindow(server_->Connection()),
                                  0, 0, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr) return {0, 0, 0};
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        return {static_cast<std::uint8_t>((pixel >> 16) & 0xFF),
                static_cast<std::uint8_t>((pixel >> 8) & 0xFF),
                static_cast<std::uint8_t>(pixel & 0xFF)};
    }

    void ExpectEndsNormally() { EXPECT_EQ(saver_->WaitExit(EndDeadline), 0); }
    void ExpectKeepsRunning() {
        EXPECT_FALSE(saver_->WaitExit(StaysDeadline)) << "the saver ended";
    }
    void MovePointerBy(int dx, int dy) {
        ASSERT_TRUE(XDoTool(*server_,
                            {"mousemove_relative", "--", std::to_string(dx), std::to_string(dy)}));
    }

    static std::unique_ptr<XvfbServer> server_;
    std::unique_ptr<ChildProcess> saver_;
};

std::unique_ptr<XvfbServer> FullScreenSaver::server_;

TEST_F(FullScreenSaver, AKeyPressEndsIt) {
    ASSERT_TRUE(XDoTool(*server_, {"key", "a"}));
    ExpectEndsNormally();
}

TEST_F(FullScreenSaver, ASystemKeyEndsIt) {
    ASSERT_TRUE(XDoTool(*server_, {"key", "F10"}));
    ExpectEndsNormally();
}

class FullScreenButtons : public FullScreenSaver,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(FullScreenButtons, AButtonPressEndsIt) {
    ASSERT_TRUE(XDoTool(*server_, {"click", GetParam()}));
    ExpectEndsNormally();
}

INSTANTIATE_TEST_SUITE_P(LeftMiddleRight, FullScreenButtons, ::testing::Values("1", "2", "3"));

TEST_F(FullScreenSaver, TheWheelDoesNotEndIt) {
    ASSERT_TRUE(XDoTool(*server_, {"click", "4"}));
    ASSERT_TRUE(XDoTool(*server_, {"click", "5"}));
    ExpectKeepsRunning();
}

TEST_F(FullScreenSaver, APointerWithinTheSquareRootOfTenKeepsItAndOneStepFurtherEndsIt) {
    MovePointerBy(3, 1);  // squared distance 10
    ExpectKeepsRunning();
    MovePointerBy(0, 1);  // 3 right and 2 down from the start: 13
    ExpectEndsNormally();
}

TEST_F(FullScreenSaver, AnotherWindowBecomingActiveEndsIt) {
    Display* display = server_->Connection();
    const Window other = MapWindow(*server_, 0, 0, 50, 50);
    ASSERT_TRUE(WaitFor(
        [&] {
            XWindowAttributes attributes{};
            XGetWindowAttributes(display, other, &attributes);
            return attributes.map_state == IsViewable;
        },
        EndDeadline));
    XSetInputFocus(display, other, RevertToParent, CurrentTime);
    XSync(display, False);
    ExpectEndsNormally();
    XDestroyWindow(display, other);
    XSync(display, False);
}

// In --root and --window-id the same input changes nothing: the saver runs on and its
// picture stays the render's.
class ModuleModes : public ::testing::TestWithParam<bool> {};

TEST_P(ModuleModes, InputChangesNothing) {
    const bool inWindow = GetParam();
    XvfbServer server(1024, 768);
    ASSERT_TRUE(server.Running());
    Display* display = server.Connection();
    std::vector<std::string> arguments{SaverPath(), "--seed",       "11", "--ticks",
                                       "120",       "--draw-speed", "1",  SamplePath("logo.pxs")};
    std::vector<std::string> render{"--seed",   "11",           "--ticks",
                                    "120",      "--draw-speed", "1",
                                    "--screen", "1024x768",     SamplePath("logo.pxs")};
    Window window = x11::XNone;
    if (inWindow) {
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 320, 240, 0, 0, 0);
        XSelectInput(display, window, KeyPressMask | ButtonPressMask | PointerMotionMask);
        XMapWindow(display, window);
        XSync(display, False);
        arguments.insert(arguments.begin() + 1, {"--window-id", std::to_string(window)});
        render.insert(render.end(), {"--preview", "320x240"});
    } else {
        arguments.insert(arguments.begin() + 1, "--root");
    }
    const std::optional<raster::RasterImage> expected = Render(render);
    ASSERT_TRUE(expected);
    ChildProcess saver(arguments, SaverEnvironment(server));
    ASSERT_TRUE(WaitFor([&] { return DifferentPixels(server.Grab(window), *expected) == 0; }, 30s));

    ASSERT_TRUE(XDoTool(server, {"mousemove", "100", "100"}));
    ASSERT_TRUE(XDoTool(server, {"mousemove_relative", "--", "50", "50"}));
    ASSERT_TRUE(XDoTool(server, {"click", "1"}));
    ASSERT_TRUE(XDoTool(server, {"key", "a"}));
    EXPECT_FALSE(saver.WaitExit(StaysDeadline)) << "the saver ended on input";
    EXPECT_EQ(DifferentPixels(server.Grab(window), *expected), 0);
    saver.Signal(SIGTERM);
    EXPECT_EQ(saver.WaitExit(EndDeadline), 0);
}

INSTANTIATE_TEST_SUITE_P(RootAndGivenWindow, ModuleModes, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "WindowId" : "Root"; });

}  // namespace
}  // namespace vireluna::x11test
