// The input that ends the full-screen saver, and the input that does not.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e_win32/driver/SaverTest.h"
#include "tools/windriver/Input.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/Windows.h"

namespace vireluna::e2e {
namespace {

void MoveBy(int dx, int dy) {
    ASSERT_TRUE(input::MoveTo(PointerRest.x + dx, PointerRest.y + dy));
}

class FullScreenInput : public SaverTest {
  protected:
    // A saver that draws one stitch per tick for minutes, so it is busy whatever the test does,
    // and has taken the pointer's rest as its reference. The queue merges pointer moves that the
    // window has not yet taken, so the reference move is handled before any other is sent.
    HWND StartDrawing() {
        SaverProfile::SetNumber(L"DrawStep", 0);
        SaverProfile::SetPlaylist({SampleDesign("blossom.pxs")});
        HWND window = StartFullScreen();
        EXPECT_TRUE(ScreenKeepsChanging(1)) << "the saver does not draw";
        MoveBy(0, 0);
        EXPECT_TRUE(Settle(window)) << "the saver ended on the reference move";
        return window;
    }

    void ExpectEndsWithCodeZero() {
        EXPECT_EQ(runs_.back()->WaitForExit(), std::optional<DWORD>(0));
    }
    void ExpectStillRunning(HWND window, const char* after) {
        EXPECT_TRUE(Settle(window)) << "the saver ended after " << after;
        EXPECT_TRUE(runs_.back()->Running()) << "the saver ended after " << after;
    }
    void EndWithAKey() {
        input::Key(VK_SPACE);
        ExpectEndsWithCodeZero();
    }
};

struct Ending {
    const char* name;
    std::function<void()> act;
};

class FullScreenEnding : public FullScreenInput, public ::testing::WithParamInterface<Ending> {};

TEST_P(FullScreenEnding, EndsTheSaverWithCodeZero) {
    ASSERT_NE(StartDrawing(), nullptr);
    GetParam().act();
    ExpectEndsWithCodeZero();
}

INSTANTIATE_TEST_SUITE_P(
    Input, FullScreenEnding,
    ::testing::Values(
        Ending{"a_key", [] { input::Key('A'); }}, Ending{"Alt", [] { input::Key(VK_MENU); }},
        Ending{"F10", [] { input::Key(VK_F10); }}, Ending{"Escape", [] { input::Key(VK_ESCAPE); }},
        Ending{"the_left_button", [] { input::Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }},
        Ending{"the_middle_button",
               [] { input::Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); }},
        Ending{"the_right_button",
               [] { input::Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }},
        Ending{"another_window_becoming_active",
               [] {
                   OtherWindow other;
                   other.Activate();
               }}),
    [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

TEST_F(FullScreenInput, ThreeRightOneDownKeepsItRunningOneMoreDownEndsIt) {
    HWND window = StartDrawing();
    ASSERT_NE(window, nullptr);
    MoveBy(3, 1);
    ExpectStillRunning(window, "3 right and 1 down (squared distance 10)");
    MoveBy(3, 2);
    ExpectEndsWithCodeZero();
}

TEST_F(FullScreenInput, AKeyReleaseOrTheWheelAloneLeaveItRunning) {
    HWND window = StartDrawing();
    ASSERT_NE(window, nullptr);
    input::KeyUp('B');
    ExpectStillRunning(window, "a key release");
    input::Wheel(WHEEL_DELTA);
    input::Wheel(-WHEEL_DELTA);
    ExpectStillRunning(window, "the wheel");
    EXPECT_TRUE(ScreenKeepsChanging()) << "the saver stopped drawing";
    EndWithAKey();
}

TEST_F(FullScreenInput, TheSystemsScreenSaveAndCloseCommandsAreIgnored) {
    HWND window = StartDrawing();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectStillRunning(window, "SC_SCREENSAVE and SC_CLOSE");
    EndWithAKey();
}

}  // namespace
}  // namespace vireluna::e2e
