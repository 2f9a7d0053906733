#include <gtest/gtest.h>

#include "core/saver/PreviewRule.h"

namespace vireluna {
namespace {

constexpr ScreenSize Display{3840, 1080};
const MonitorLayout TwoMonitors({{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}});

bool SameSize(ScreenSize a, ScreenSize b) {
    return a.width == b.width && a.height == b.height;
}

// A daemon's window per monitor plays the full picture; a settings program's small window is
// measured against the display and so is the preview, as is any window whose place is unknown.
TEST(PreviewRuleTest, AGivenWindowIsAScreenOnlyWhenItCoversAWholeMonitor) {
    const MonitorRect secondMonitor{1920, 0, 1920, 1080};
    const ScreenSize onMonitor = ScreenForGivenWindow(secondMonitor, TwoMonitors, Display);
    EXPECT_TRUE(SameSize(onMonitor, secondMonitor.Size()));
    EXPECT_FALSE(IsPreviewWindow(secondMonitor.width, onMonitor.width));

    // A window over both monitors and beyond covers them: it is its own screen too.
    const MonitorRect overBoth{-10, -10, 3860, 1100};
    EXPECT_TRUE(SameSize(ScreenForGivenWindow(overBoth, TwoMonitors, Display), overBoth.Size()));

    const MonitorRect small{100, 100, 320, 240};
    const ScreenSize forSmall = ScreenForGivenWindow(small, TwoMonitors, Display);
    EXPECT_TRUE(SameSize(forSmall, Display));
    EXPECT_TRUE(IsPreviewWindow(small.width, forSmall.width));

    // One pixel short of the monitor, or shifted off it, is no longer a whole monitor.
    EXPECT_TRUE(SameSize(
        ScreenForGivenWindow(MonitorRect{1920, 0, 1920, 1079}, TwoMonitors, Display), Display));
    EXPECT_TRUE(SameSize(
        ScreenForGivenWindow(MonitorRect{1921, 0, 1920, 1080}, TwoMonitors, Display), Display));
    EXPECT_TRUE(SameSize(ScreenForGivenWindow(std::nullopt, TwoMonitors, Display), Display));
}

}  // namespace
}  // namespace vireluna
