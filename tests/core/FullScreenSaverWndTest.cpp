#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/FullScreenSaverWnd.h"
#include "core/settings/SaverSettings.h"
#include "tests/core/FakeWindowHost.h"
#include "tests/core/SystemFiles.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna {
namespace {

class FullScreenInputTest : public ::testing::Test {
  protected:
    FullScreenInputTest() {
        // Files that cannot exist, so the first tick reports a failed load.
        profile.WriteString(FileListSection, PlaylistEntryName(1), "/nonexistent/vireluna.pxs");
        profile.WriteString(FileListSection, PlaylistEntryName(2), "/nonexistent/koi.pxs");
        window = std::make_unique<CFullScreenSaverWnd>(profile, host, random, files);
        window->OnCreate();
        window->OnSize(1024, 768);
    }

    MemoryProfileStore profile;
    fakes::FakeWindowHost host{{1024, 768}};
    Random random{1};
    fakes::SystemFileSystem files;
    std::unique_ptr<CFullScreenSaverWnd> window;
};

// The whole pointer rule; the drivers' end-to-end tests only show that real moves reach it.
TEST_F(FullScreenInputTest, ThePointerEndsItPastTheSquareRootOfTenFromItsFirstPlace) {
    window->OnMouseMove(500, 400);  // only sets the reference
    window->OnMouseMove(503, 401);  // 9 + 1 = 10
    window->OnMouseMove(497, 399);
    for (int x = 501; x <= 503; ++x) window->OnMouseMove(x, 400);  // small moves add up
    EXPECT_EQ(host.closeRequests, 0);
    window->OnMouseMove(504, 400);  // 16: the reference never moved
    EXPECT_EQ(host.closeRequests, 1);
    EXPECT_EQ(window->LastMouseX(), 500);
    window->OnMouseMove(503, 402);          // 9 + 4 = 13
    window->OnMouseMove(501, -2147483647);  // far coordinates do not overflow the distance
    EXPECT_EQ(host.closeRequests, 3);
}

TEST_F(FullScreenInputTest, KeysButtonsAndLosingActivationEndIt) {
    window->OnKeyDown();
    window->OnButtonDown();
    window->OnActivate(false);
    window->OnActivateApp(false);
    EXPECT_EQ(host.closeRequests, 4);
    window->OnActivate(true);
    window->OnActivateApp(true);
    EXPECT_EQ(host.closeRequests, 4);
}

TEST_F(FullScreenInputTest, OnlyScreenSaveAndCloseCommandsAreSwallowed) {
    EXPECT_TRUE(window->OnSysCommand(SysCommandScreenSave));
    EXPECT_TRUE(window->OnSysCommand(SysCommandClose));
    EXPECT_FALSE(window->OnSysCommand(SysCommandClose + 1));  // the whole value counts
    EXPECT_FALSE(window->OnSysCommand(0xF020));               // minimise
    EXPECT_EQ(host.closeRequests, 0);
}

TEST_F(FullScreenInputTest, TheLoadFailureMessageCanBeReadAndAnsweredWithoutEndingTheSaver) {
    window->OnMouseMove(10, 10);
    window->OnTimer();
    ASSERT_EQ(host.messages.size(), 1u);
    // While the driver shows the box, the box takes the activation and the pointer goes to
    // its OK button.
    EXPECT_TRUE(window->ShowingMessage());
    EXPECT_FALSE(window->RefusesDeactivation());
    window->OnActivate(false);
    window->OnActivateApp(false);
    window->OnMouseMove(600, 500);
    ASSERT_TRUE(host.AnswerMessage(*window));
    EXPECT_EQ(host.closeRequests, 0);
    EXPECT_FALSE(window->ShowingMessage());
    // After OK the saver goes on, measuring from where the pointer now is.
    window->OnMouseMove(600, 500);
    window->OnMouseMove(602, 501);
    EXPECT_EQ(host.closeRequests, 0);
    window->OnKeyDown();
    EXPECT_EQ(host.closeRequests, 1);
}

TEST_F(FullScreenInputTest, OnceEveryDesignHasFailedTheSaverEndsAfterTheMessage) {
    window->OnTimer();  // the first of the two entries fails
    host.AnswerMessage(*window);
    EXPECT_EQ(host.closeRequests, 0);
    EXPECT_FALSE(window->NothingCanBePlayed());
    window->OnTimer();  // the second one too: nothing is left to play
    EXPECT_EQ(host.closeRequests, 0) << "the message is read first";
    host.AnswerMessage(*window);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(window->NothingCanBePlayed());
    EXPECT_EQ(host.closeRequests, 1);
}

TEST(NothingCanBePlayedTest, OneEntryFailingTwiceIsNotEveryEntryFailing) {
    // Three entries, one missing; over many passes it may come last and first again, but the
    // saver never takes that for a playlist with nothing left.
    MemoryProfileStore profile;
    const std::string design =
        (std::filesystem::temp_directory_path() / "vireluna_fullscreen_short.pxs").string();
    pxs::PxsWriter writer;
    for (int i = 0; i < 4; ++i) writer.Move(10, 0);
    writer.End();
    ASSERT_TRUE(writer.WriteFile(design));
    profile.WriteString(FileListSection, PlaylistEntryName(1), design);
    profile.WriteString(FileListSection, PlaylistEntryName(2), "/nonexistent/gone.pxs");
    profile.WriteString(FileListSection, PlaylistEntryName(3), design);
    profile.WriteInteger(ConfigSection, "HoldTime", 0);
    fakes::FakeWindowHost host{{1024, 768}};
    Random random{5};
    fakes::SystemFileSystem files;
    CFullScreenSaverWnd window(profile, host, random, files);
    window.OnCreate();
    window.OnSize(1024, 768);
    for (int tick = 0; tick < 20000 && host.messages.size() < 30; ++tick) {
        window.OnTimer();
        host.AnswerMessage(window);
        EXPECT_FALSE(window.NothingCanBePlayed());
    }
    EXPECT_GE(host.messages.size(), 30u);
    EXPECT_EQ(host.closeRequests, 0);
    std::error_code ignored;
    std::filesystem::remove(design, ignored);
}

}  // namespace
}  // namespace vireluna
