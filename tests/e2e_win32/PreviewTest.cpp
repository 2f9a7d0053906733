// The preview inside a host window, as the display settings run it.
//
// Wine shows nothing that one program draws into a child window of another program's window
// (a plain two-program test shows the same), so the preview's pixels cannot be read back here;
// its drawing is the full screen's drawing scaled, checked by `vireluna render --preview` and
// by the full-screen picture comparisons. What is checked here is the window and the process.
#include <gtest/gtest.h>

#include "tests/e2e_win32/driver/SaverTest.h"
#include "tools/windriver/Input.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/TestPaths.h"
#include "tools/windriver/Windows.h"

namespace vireluna::e2e {
namespace {

constexpr int HostWidth = 152;
constexpr int HostHeight = 112;

class Preview : public SaverTest {
  protected:
    void SetUp() override {
        SaverTest::SetUp();
        SaverProfile::SetPlaylist({SampleDesign("koi.pxs")});
    }
};

TEST_F(Preview, IsAChildCoveringTheHostsClientAreaAndEndsWithTheHost) {
    PreviewHost host(HostWidth, HostHeight);
    SaverProcess& saver = Start(L"/p " + host.HandleText());
    HWND child = host.WaitForSaverChild(saver);
    ASSERT_NE(child, nullptr) << "no preview window in the host";
    RECT childArea{};
    GetWindowRect(child, &childArea);
    const RECT client = host.ClientOnScreen();
    EXPECT_TRUE(EqualRect(&childArea, &client));
    EXPECT_TRUE(GetWindowLongW(child, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(saver.TopLevelWindows().empty()) << "the preview opened a window of its own";

    host.Destroy();
    EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(Preview, InputOverThePreviewChangesNothing) {
    PreviewHost host(HostWidth, HostHeight);
    SaverProcess& saver = Start(L"/p " + host.HandleText());
    HWND child = host.WaitForSaverChild(saver);
    ASSERT_NE(child, nullptr);
    const RECT client = host.ClientOnScreen();
    const int x = (client.left + client.right) / 2;
    const int y = (client.top + client.bottom) / 2;
    ASSERT_TRUE(input::MoveTo(x, y));
    ASSERT_TRUE(input::MoveTo(x + 20, y + 20));
    input::Click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    input::Click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    input::Click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    input::Key('A');
    input::Key(VK_MENU);
    OtherWindow other;
    other.Activate();
    EXPECT_TRUE(Settle(child)) << "the preview ended on input";
    EXPECT_TRUE(saver.Running());

    host.Destroy();
    EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace vireluna::e2e
