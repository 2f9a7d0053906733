// Start-up: the switches, the About box, the start-up check of the playlist, and a design that
// goes missing while the saver runs.
#include <gtest/gtest.h>

#include "tests/e2e_win32/driver/SaverTest.h"
#include "tools/windriver/DialogReader.h"
#include "tools/windriver/Input.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/TestPaths.h"
#include "tools/windriver/Windows.h"

namespace vireluna::e2e {
namespace {

constexpr wchar_t ApplicationTitle[] = L"VirelunaLogo";
constexpr wchar_t AboutCaption[] = L"Tessoran Vireluna Screensaver";
constexpr wchar_t AboutVersionLine[] = L"QuibelScreensaver Ver. 4.0.0.2";
constexpr wchar_t MissingAtStart[] = L"File cannot be opened.\n\n";
constexpr wchar_t MissingWhileRunning[] =
    L"\u30D5\u30A1\u30A4\u30EB\u304C\u898B\u3064\u304B\u308A"
    L"\u307E\u305B\u3093\n\n";  // "File not found"
constexpr double StopIconRedShare = 0.15;
// Its twelve characters, drawn: a few split in two or touch their neighbour, none alike.
// Without a Japanese font Wine draws one empty box for each: a single shape.
constexpr int MissingWhileRunningShapes = 9;
constexpr auto MissingDesignLimit = 30s;

// The box is read as soon as it exists; its icon may be painted a moment later.
bool ShowsTheStopIcon(const DialogView& message) {
    return WaitUntil([&] { return RedShareOfIcon(message) > StopIconRedShare; }, EndLimit);
}

class Startup : public SaverTest {
  protected:
    // A copy of a test design that a test may remove while the saver runs.
    std::wstring Removable(const std::string& name) {
        const std::wstring copy = TestDesign(name);
        EXPECT_TRUE(CopyFileW(TestDesign("dot.pxs").c_str(), copy.c_str(), FALSE));
        copies_.push_back(copy);
        return copy;
    }
    // The saver loads the designs over and over and holds each open while it reads it, as a
    // user's delete may meet it too: the delete is tried again until the file is free.
    static bool RemoveWhilePlaying(const std::wstring& copy) {
        return WaitUntil([&] { return DeleteFileW(copy.c_str()) != FALSE; }, EndLimit);
    }
    void TearDown() override {
        for (const std::wstring& copy : copies_) DeleteFileW(copy.c_str());
        SaverTest::TearDown();
    }
    std::vector<std::wstring> copies_;
};

TEST_F(Startup, NoSwitchOrCShowsTheAboutBoxAndOkEndsIt) {
    for (const wchar_t* arguments : {L"", L"/c", L"-C", L"/c:1234", L"c"}) {
        SaverProcess& saver = Start(arguments);
        const DialogView about = WaitForDialog(saver);
        ASSERT_NE(about.window, nullptr) << "no About box for '" << Narrow(arguments) << "'";
        EXPECT_EQ(about.caption, AboutCaption);
        EXPECT_EQ(about.text.substr(0, about.text.find(L'\n')), AboutVersionLine);
        EXPECT_GT(about.text.size(), std::wstring(AboutVersionLine).size() + 2) << "no legal line";
        EXPECT_EQ(about.buttons, L"OK\n");
        EXPECT_EQ(saver.TopLevelWindows().size(), 1u);
        ASSERT_TRUE(PressButton(about.window, L"OK"));
        EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
    }
}

// An unknown switch, and a preview whose handle names no window.
TEST_F(Startup, AnUnknownSwitchOrAPreviewWithoutAWindowEndsAtOnceWithNoWindow) {
    SaverProfile::SetPlaylist({SampleDesign("koi.pxs")});
    for (const wchar_t* arguments :
         {L"/x", L"/", L"save", L"-", L"/q /s", L"/p", L"/p window", L"/p 0", L"/p 99999999"}) {
        SaverProcess& saver = Start(arguments);
        std::vector<HWND> seen;
        EXPECT_TRUE(WaitUntil(
            [&] {
                for (HWND window : saver.TopLevelWindows()) seen.push_back(window);
                return !saver.Running();
            },
            EndLimit))
            << "'" << Narrow(arguments) << "' did not end";
        EXPECT_TRUE(seen.empty()) << "'" << Narrow(arguments) << "' showed a window";
    }
}

TEST_F(Startup, AMissingPlaylistFileIsNamedAndNoSaverStarts) {
    const std::wstring missing = TestDesign("not-there.pxs");
    SaverProfile::SetPlaylist({SampleDesign("koi.pxs"), missing, SampleDesign("logo.pxs")});
    for (const wchar_t* arguments : {L"/s", L"/S"}) {
        SaverProcess& saver = Start(arguments);
        const DialogView message = WaitForDialog(saver);
        ASSERT_NE(message.window, nullptr) << "no message for a missing file";
        EXPECT_EQ(message.caption, ApplicationTitle);
        EXPECT_EQ(message.text, std::wstring(MissingAtStart) + missing + L"\n" + L"\n");
        EXPECT_TRUE(ShowsTheStopIcon(message)) << "not the stop icon";
        EXPECT_EQ(saver.TopLevelWindows().size(), 1u) << "a saver window came with the message";
        ASSERT_TRUE(PressButton(message.window, L"OK"));
        EXPECT_TRUE(saver.WaitForExit().has_value());
    }
}

TEST_F(Startup, AnEmptyProfileNamesTheDefaultDesignPath) {
    SaverProcess& saver = Start(L"/s");
    const DialogView message = WaitForDialog(saver);
    ASSERT_NE(message.window, nullptr);
    EXPECT_EQ(message.text, std::wstring(MissingAtStart) +
                                L"C:\\Program Files\\Tessoran\\Saver2\\Designs\\logo.pxs\n\n");
    ASSERT_TRUE(PressButton(message.window, L"OK"));
    EXPECT_TRUE(saver.WaitForExit().has_value());
}

TEST_F(Startup, ADesignRemovedWhileThePreviewRunsIsNamedThenPlayGoesOn) {
    const std::wstring kept = Removable("kept.pxs");
    const std::wstring removed = Removable("removed.pxs");
    SaverProfile::SetNumber(L"DrawSpeed", 1);
    SaverProfile::SetNumber(L"HoldTime", 0);
    SaverProfile::SetPlaylist({kept, removed});
    PreviewHost host(152, 112);
    SaverProcess& saver = Start(L"/p " + host.HandleText());
    ASSERT_NE(host.WaitForSaverChild(saver), nullptr);
    ASSERT_TRUE(RemoveWhilePlaying(removed));

    // Each time the order comes to the removed design its message shows; after OK the
    // saver plays on and comes to it again.
    for (int time = 1; time <= 2; ++time) {
        const DialogView message = WaitForDialog(saver, MissingDesignLimit);
        ASSERT_NE(message.window, nullptr) << "no message for the removed design, time " << time;
        EXPECT_EQ(message.caption, ApplicationTitle);
        EXPECT_EQ(message.text, std::wstring(MissingWhileRunning) + removed + L"\n");
        EXPECT_TRUE(ShowsTheStopIcon(message)) << "not the stop icon";
        int shapes = 0;
        EXPECT_TRUE(WaitUntil(
            [&] {
                shapes = DistinctShapesOnFirstTextLine(message);
                return shapes >= MissingWhileRunningShapes;
            },
            EndLimit))
            << shapes
            << " shapes: the Japanese line is not drawn in a font that has its characters";
        ASSERT_TRUE(PressButton(message.window, L"OK"));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(message.window); }, EndLimit));
    }
    host.Destroy();
    EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(Startup, ADesignRemovedWhileTheFullScreenRunsCanBeReadAndNothingHangs) {
    const std::wstring kept = Removable("kept.pxs");
    const std::wstring removed = Removable("removed.pxs");
    SaverProfile::SetNumber(L"DrawSpeed", 1);
    SaverProfile::SetNumber(L"HoldTime", 0);
    SaverProfile::SetPlaylist({kept, removed});
    HWND window = StartFullScreen();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(RemoveWhilePlaying(removed));
    SaverProcess& saver = *runs_.back();

    const DialogView message = WaitForDialog(saver, MissingDesignLimit);
    ASSERT_NE(message.window, nullptr) << "no message for the removed design";
    // The message must stay for the user to read: it may not go with the saver's window when
    // it takes the activation.
    EXPECT_TRUE(Settle(message.window)) << "the message went before it could be read";
    EXPECT_EQ(message.text, std::wstring(MissingWhileRunning) + removed + L"\n");
    ASSERT_TRUE(PressButton(message.window, L"OK"));

    // After OK the saver either plays on, ended by a key as usual, or has ended by itself.
    if (saver.WaitForExit(2s) == std::nullopt) {
        // It may show the message again before the key is read: answer it until it ends.
        const Clock::time_point deadline = Clock::now() + EndLimit;
        input::Key(VK_SPACE);
        while (saver.Running() && Clock::now() < deadline) {
            const DialogView again = WaitForDialog(saver, 1s);
            if (again.window != nullptr) PressButton(again.window, L"OK");
            input::Key(VK_SPACE);
        }
    }
    EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace vireluna::e2e
