#include <gtest/gtest.h>

#include <memory>

#include "core/ports/MemoryProfileStore.h"
#include "core/presentation/Background.h"
#include "core/saver/MonitorRuns.h"
#include "core/settings/SaverSettings.h"
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
    for (int tick = 0; tick < 2; ++tick) {
        runs.Step();
        window.AnswerMessage(runs);
    }
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

// Every monitor's run fails on the same file; the user is told once, as by a lone saver, and
// not made to close a box a monitor while each in turn freezes every monitor.
TEST(MonitorRuns, OneFileThatFailsGivesOneBoxWhateverTheMonitorCount) {
    MemoryProfileStore profile;
    profile.WriteString(FileListSection, PlaylistEntryName(1), "/nonexistent/vireluna.pxs");
    fakes::FakeWindowHost window{{2400, 600}};
    fakes::SystemFileSystem files;
    MonitorRuns runs(RunMode::FullScreen, profile, window, files, {3, {}},
                     MonitorLayout({{0, 0, 800, 600}, {800, 0, 800, 600}, {1600, 0, 800, 600}}));
    runs.Start();
    runs.Step();
    ASSERT_NE(runs.RunAt(2), nullptr);
    EXPECT_EQ(runs.RunAt(2)->Window().LastTick(), TickResult::LoadFailed);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_NE(window.messages[0].text.find("/nonexistent/vireluna.pxs"), std::string::npos);
    EXPECT_FALSE(window.messages[0].timerRunningWhileOpen);
    // The other monitors did not wait for a box of their own: the primary's close starts the
    // timer, and every run is past its failure.
    ASSERT_TRUE(window.AnswerMessage(runs));
    EXPECT_TRUE(window.timerRunning);
    for (std::size_t place = 0; place < 3; ++place) {
        EXPECT_FALSE(runs.RunAt(place)->ShowingMessage()) << "monitor " << place;
    }
}

// While the load-failure message is up no step is under way, so a new layout (WM_DISPLAYCHANGE,
// a RandR notice) is taken at once. A fresh primary takes the open message over: the timer stays
// stopped until the box is closed, then runs again; and as the one file failed, the
// full-screen saver still ends after the close. From one run on the whole window and from
// several alike.
TEST(MonitorRuns, ALayoutArrivingWhileAMessageIsUpIsTakenAtOnceAndTheTimerWaitsForTheClose) {
    const MonitorRect left{0, 0, 800, 600};
    const MonitorRect right{800, 0, 800, 600};
    for (const bool fromOne : {true, false}) {
        SCOPED_TRACE(fromOne ? "one monitor to two" : "two monitors to one");
        MemoryProfileStore profile;
        profile.WriteString(FileListSection, PlaylistEntryName(1), "/nonexistent/vireluna.pxs");
        fakes::FakeWindowHost window{{fromOne ? 800 : 1600, 600}};
        fakes::SystemFileSystem files;
        const MonitorLayout before = fromOne ? MonitorLayout({left}) : MonitorLayout({left, right});
        const MonitorLayout after = fromOne ? MonitorLayout({left, right}) : MonitorLayout({left});
        MonitorRuns runs(RunMode::FullScreen, profile, window, files, {5, {}}, before);
        std::vector<MonitorRect> moves;
        runs.SetWindowMover([&](const MonitorLayout& layout) { moves.push_back(layout.Bounds()); });
        runs.Start();
        runs.Step();
        ASSERT_TRUE(window.messageOpen);
        runs.OnLayoutChange(after);
        EXPECT_EQ(runs.Layout(), after);
        EXPECT_EQ(moves, std::vector<MonitorRect>{after.Bounds()});
        EXPECT_EQ(runs.Primary().Ticks(), 0) << "the window moved: the primary starts afresh";
        EXPECT_FALSE(window.timerRunning) << "the fresh runs started the timer under the box";
        EXPECT_TRUE(runs.Primary().ShowingMessage());
        EXPECT_EQ(window.closeRequests, 0);
        ASSERT_TRUE(window.AnswerMessage(runs));
        EXPECT_TRUE(window.timerRunning);
        EXPECT_FALSE(runs.Primary().ShowingMessage());
        EXPECT_EQ(window.closeRequests, 1) << "the fresh primary forgot that nothing plays";
        EXPECT_EQ(window.messages.size(), 1u);
    }
}

// The window closes while the message is up (a key ends the full-screen saver, the window and
// its runs go): the driver has nothing to tell when the box goes, and nothing refers to the
// runs that are gone.
TEST(MonitorRuns, TheWindowClosingWhileAMessageIsUpLeavesNothingBehind) {
    MemoryProfileStore profile;
    profile.WriteString(FileListSection, PlaylistEntryName(1), "/nonexistent/vireluna.pxs");
    fakes::FakeWindowHost window{{1600, 600}};
    fakes::SystemFileSystem files;
    auto runs =
        std::make_unique<MonitorRuns>(RunMode::FullScreen, profile, window, files, RunStart{9, {}},
                                      MonitorLayout({{0, 0, 800, 600}, {800, 0, 800, 600}}));
    runs->Start();
    runs->Step();
    ASSERT_TRUE(window.messageOpen);
    runs->InputRules()->OnKeyDown();
    EXPECT_EQ(window.closeRequests, 1);
    runs.reset();
    // What the box shows is the driver's own copy, whole after the runs are gone.
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text,
              std::string(FileNotFoundPrefix) + "/nonexistent/vireluna.pxs");
    EXPECT_FALSE(window.timerRunning);
}

}  // namespace
}  // namespace vireluna
