#include <gtest/gtest.h>

#include "platform/MemoryProfileStore.h"
#include "presentation/Overlays.h"
#include "shell/MonitorRuns.h"
#include "shell/SaverSettings.h"
#include "tests/core/FakeWindowHost.h"
#include "tests/core/SystemFiles.h"

namespace vireluna {
namespace {

// A monitor removed while the saver runs: when the window keeps its bounds the other runs go
// on and the monitor's area turns to field; when the bounds shrink every run starts afresh,
// and the pointer's first position stays the same place on the screen.
TEST(MonitorRuns, AMonitorRemovedKeepsTheRunsItCanAndThePointersPlace) {
    MemoryProfileStore profile;
    profile.WriteString(FileListSection, PlaylistEntryName(1), "/nonexistent/vireluna.pxs");
    fakes::FakeWindowHost window{{1600, 900}};
    fakes::SystemFileSystem files;
    // Mixed sizes, left of and above the primary: the bounds run from (-800, -300) to (800, 600).
    const MonitorRect primary{0, 0, 800, 600};
    const MonitorRect leftTall{-800, -300, 800, 900};
    const MonitorRect above{0, -300, 800, 300};
    MonitorRuns runs(RunMode::FullScreen, profile, window, files, {7, 100},
                     MonitorLayout({primary, leftTall, above}));
    runs.Start();
    runs.Step();
    runs.Step();
    ASSERT_NE(runs.InputRules(), nullptr);
    runs.InputRules()->OnMouseMove(900, 400);  // (100, 100) on the screen

    window.surface.calls.clear();
    runs.OnLayoutChange(MonitorLayout({primary, leftTall}));
    ASSERT_EQ(runs.Layout().Count(), 2u);
    EXPECT_EQ(runs.RunAt(0)->Ticks(), 2) << "the primary restarted though nothing moved";
    EXPECT_EQ(runs.RunAt(1)->Ticks(), 2);
    const auto fills = window.surface.CallsOf(fakes::SurfaceCallKind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().ints, (std::vector<int>{800, 0, 1600, 300}));
    EXPECT_EQ(fills.front().colour, BackgroundColour);

    const int erasesBefore = window.eraseRequests;
    runs.OnLayoutChange(MonitorLayout({primary}));
    ASSERT_EQ(runs.Layout().Count(), 1u);
    EXPECT_EQ(runs.RunAt(0)->Ticks(), 0) << "the window moved, so the primary starts again";
    EXPECT_GT(window.eraseRequests, erasesBefore);
    EXPECT_EQ(runs.InputRules()->LastMouseX(), 100);
    EXPECT_EQ(runs.InputRules()->LastMouseY(), 100);
}

}  // namespace
}  // namespace vireluna
