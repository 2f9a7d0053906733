#include <gtest/gtest.h>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/SaverRun.h"
#include "core/settings/SaverSettings.h"
#include "tests/core/FakeWindowHost.h"
#include "tests/core/SystemFiles.h"

namespace vireluna {
namespace {

// Every driver's promise: exactly the given number of ticks run, and no timer starts after.
TEST(SaverRun, TheTickLimitStopsTheTimerAndNoLaterRestartRunsATick) {
    MemoryProfileStore profile;
    profile.WriteString(FileListSection, PlaylistEntryName(1), "/nonexistent/vireluna.pxs");
    fakes::FakeWindowHost host{{640, 480}};
    fakes::SystemFileSystem files;
    SaverRun run(RunMode::Picture, profile, host, files, {7, 2});
    run.Start({640, 480});
    EXPECT_TRUE(host.timerRunning);
    EXPECT_EQ(host.eraseRequests, 1) << "the first paint";

    run.Step();  // the load fails; the message's close restarts the timer
    host.AnswerMessage(run);
    EXPECT_TRUE(host.timerRunning);
    run.Step();
    host.AnswerMessage(run);
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_FALSE(run.MayTick());
    run.Step();
    EXPECT_EQ(run.Ticks(), 2);
    EXPECT_EQ(host.messages.size(), 2u) << "a tick ran past the limit";
    EXPECT_TRUE(run.NothingCanBePlayed());
}

}  // namespace
}  // namespace vireluna
