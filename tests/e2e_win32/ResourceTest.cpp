// Over a long run the saver holds no more GDI objects and windows than it did early on, and on
// no path does it write a value into its profile.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e_win32/driver/SaverTest.h"
#include "tools/windriver/DialogReader.h"
#include "tools/windriver/Input.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/Windows.h"

namespace vireluna::e2e {
namespace {

// The dot design is done in one tick and, with no hold, the next design starts on the next
// tick: this many ticks play at least 1,000 designs.
constexpr int LongRunTicks = 2100;
constexpr int TicksPerDesignAtMost = 2;
constexpr auto LongRunLimit = 120s;
constexpr auto StillFor = 1500ms;  // no change for this long: the last tick has been

bool ScreenStill(Clock::duration still, Clock::duration limit) {
    Picture last = Picture::FromScreen();
    Clock::time_point since = Clock::now();
    return WaitUntil(
        [&] {
            Picture now = Picture::FromScreen();
            if (!(now == last)) {
                last = std::move(now);
                since = Clock::now();
            }
            return Clock::now() - since >= still;
        },
        limit);
}

using Resources = SaverTest;

TEST_F(Resources, GdiObjectsAndWindowsStayFlatOverAThousandDesigns) {
    static_assert(LongRunTicks / TicksPerDesignAtMost >= 1000);
    SaverProfile::SetNumber(L"DrawSpeed", 1);
    SaverProfile::SetNumber(L"HoldTime", 0);
    SaverProfile::SetPlaylist({TestDesign("dot.pxs")});
    HWND window = StartFullScreen({{"VIRELUNA_TICKS", std::to_string(LongRunTicks)}});
    ASSERT_NE(window, nullptr);
    SaverProcess& saver = *runs_.back();
    ASSERT_TRUE(ScreenKeepsChanging(5));
    const int earlyGdi = saver.SettledGdiObjectCount();
    const int earlyWindows = saver.WindowCount();
    ASSERT_GT(earlyGdi, 0) << "cannot count the saver's GDI objects";

    ASSERT_TRUE(ScreenStill(StillFor, LongRunLimit)) << "the run did not come to its last tick";
    const int lateGdi = saver.SettledGdiObjectCount();
    const int lateWindows = saver.WindowCount();
    std::printf("[ objects  ] GDI %d early, %d after %d ticks; windows %d and %d\n", earlyGdi,
                lateGdi, LongRunTicks, earlyWindows, lateWindows);
    EXPECT_LE(lateGdi, earlyGdi);
    EXPECT_EQ(lateWindows, earlyWindows);

    input::Key(VK_SPACE);
    EXPECT_EQ(saver.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(Resources, NoPathWritesAProfileValue) {
    SaverProfile::SetNumber(L"PenSize", 2);
    SaverProfile::SetNumber(L"DrawSpeed", 1);
    SaverProfile::SetPlaylist({SampleDesign("logo.pxs"), SampleDesign("koi.pxs")});
    const SaverProfile::Snapshot before = SaverProfile::TakeSnapshot();

    {  // the About box
        SaverProcess& saver = Start(L"/c");
        const DialogView about = WaitForDialog(saver);
        ASSERT_NE(about.window, nullptr);
        PressButton(about.window, L"OK");
        EXPECT_TRUE(saver.WaitForExit().has_value());
    }
    {  // an unknown switch
        EXPECT_TRUE(Start(L"/x").WaitForExit().has_value());
    }
    {  // the full screen, ended by a key
        ASSERT_NE(StartFullScreen(), nullptr);
        EXPECT_TRUE(ScreenKeepsChanging(1));
        input::Key(VK_SPACE);
        EXPECT_TRUE(runs_.back()->WaitForExit().has_value());
    }
    {  // the preview, ended by its host
        PreviewHost host(152, 112);
        SaverProcess& saver = Start(L"/p " + host.HandleText());
        HWND child = host.WaitForSaverChild(saver);
        ASSERT_NE(child, nullptr);
        EXPECT_TRUE(Settle(child));
        host.Destroy();
        EXPECT_TRUE(saver.WaitForExit().has_value());
    }
    EXPECT_EQ(SaverProfile::TakeSnapshot(), before);

    {  // the start-up message for a missing file
        SaverProfile::SetString(L"Display File List", L"File03", L"Z:\\nowhere\\gone.pxs");
        const SaverProfile::Snapshot withGap = SaverProfile::TakeSnapshot();
        SaverProcess& saver = Start(L"/s");
        const DialogView message = WaitForDialog(saver);
        ASSERT_NE(message.window, nullptr);
        PressButton(message.window, L"OK");
        EXPECT_TRUE(saver.WaitForExit().has_value());
        EXPECT_EQ(SaverProfile::TakeSnapshot(), withGap);
    }
}

}  // namespace
}  // namespace vireluna::e2e
