#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/SaverWnd.h"
#include "tests/core/FakeWindowHost.h"
#include "tests/core/SystemFiles.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna {
namespace {

constexpr ScreenSize Screen{1024, 768};
constexpr std::uint32_t Seed = 20261209;
constexpr int StitchesInARun = 7;
constexpr int StepUnits = 10;

// Three runs of stitches: the second after a jump, the third after a thread change and a jump.
class MachinePlaybackTest : public ::testing::Test {
  protected:
    MachinePlaybackTest() {
        path_ = (std::filesystem::temp_directory_path() /
                 ("vireluna_machine_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                  ".pxs"))
                    .string();
        pxs::PxsWriter writer({1, 20});
        Run(writer);
        writer.JumpTo(400, 0);
        Run(writer);
        writer.ColourChange();
        writer.JumpTo(400, 300);
        Run(writer);
        writer.End();
        EXPECT_TRUE(writer.WriteFile(path_));
    }
    ~MachinePlaybackTest() override {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    static void Run(pxs::PxsWriter& writer) {
        for (int i = 0; i < StitchesInARun; ++i) writer.Move(StepUnits, 0);
    }

    // A saver window playing the design full screen; DrawStep 2 sews 3 stitches a tick.
    std::unique_ptr<CSaverWnd> Open(Playback playback, int drawSpeed = 4) {
        for (const auto& [entry, value] : {std::pair{"HoldTime", 50},
                                           {"DrawStep", 2},
                                           {"DrawSpeed", drawSpeed},
                                           {"Reduction", 100},
                                           {"Rotation", 0},
                                           {"Playback", static_cast<int>(playback)}}) {
            profile_.WriteInteger(ConfigSection, entry, value);
        }
        profile_.WriteString(FileListSection, PlaylistEntryName(1), path_);
        randoms_.push_back(std::make_unique<Random>(Seed));
        auto window = std::make_unique<CSaverWnd>(profile_, host_, *randoms_.back(), files_);
        window->OnCreate();
        window->OnSize(Screen.width, Screen.height);
        return window;
    }

    // Ticks until the design is finished, noting what each tick did and drew.
    struct Tick {
        TickResult result;
        std::vector<fakes::DrawnLine> lines;
        MachineOverlay overlay;
        std::int32_t drawPosition;
    };
    std::vector<Tick> PlayDesign(CSaverWnd& window) {
        std::vector<Tick> ticks;
        for (int i = 0; i < 10000; ++i) {
            const std::size_t before = host_.surface.Lines().size();
            window.OnTimer();
            const std::vector<fakes::DrawnLine> all = host_.surface.Lines();
            ticks.push_back({window.LastTick(),
                             {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()},
                             window.Overlay(),
                             window.Counters().drawPosition});
            if (window.LastTick() == TickResult::DesignFinished) break;
        }
        return ticks;
    }

    static bool Stops(TickResult result) {
        return result == TickResult::Travelled || result == TickResult::ChangedThread;
    }

    std::string path_;
    MemoryProfileStore profile_;
    fakes::FakeWindowHost host_{Screen};
    std::vector<std::unique_ptr<Random>> randoms_;  // one for each window, as it lives
    fakes::SystemFileSystem files_;
};

TEST_F(MachinePlaybackTest, SewsExactPlaybacksBatchesAndOnlyAddsStopsBetweenThem) {
    const std::unique_ptr<CSaverWnd> exactWindow = Open(Playback::Exact);
    const std::vector<Tick> exact = PlayDesign(*exactWindow);
    host_.surface.calls.clear();
    const std::unique_ptr<CSaverWnd> machineWindow = Open(Playback::Machine);
    const std::vector<Tick> machine = PlayDesign(*machineWindow);

    std::vector<std::vector<fakes::DrawnLine>> exactBatches;
    std::vector<std::vector<fakes::DrawnLine>> machineBatches;
    int stops = 0;
    for (const Tick& tick : exact) {
        EXPECT_FALSE(tick.overlay.shown) << "exact playback shows no needle";
        exactBatches.push_back(tick.lines);
    }
    for (const Tick& tick : machine) {
        if (Stops(tick.result)) {
            EXPECT_TRUE(tick.lines.empty()) << "a stop draws nothing";
            ++stops;
        } else {
            machineBatches.push_back(tick.lines);
        }
    }
    EXPECT_EQ(machineBatches, exactBatches);
    EXPECT_GT(stops, 0);
    EXPECT_EQ(machine.size(), exact.size() + static_cast<std::size_t>(stops));
    EXPECT_FALSE(machine.back().overlay.shown) << "the finished design is held without a needle";
}

TEST_F(MachinePlaybackTest, NeedleStandsDownWhereTheLastThreadDrawnEnds) {
    const std::unique_ptr<CSaverWnd> window = Open(Playback::Machine);
    const std::vector<Tick> ticks = PlayDesign(*window);
    int batches = 0;
    int batchesEndingInsideARun = 0;
    for (const Tick& tick : ticks) {
        if (tick.result != TickResult::DesignStarted && tick.result != TickResult::Drew) continue;
        ASSERT_FALSE(tick.lines.empty());
        ++batches;
        const fakes::DrawnLine& last = tick.lines.back();
        EXPECT_TRUE(tick.overlay.shown);
        EXPECT_FALSE(tick.overlay.lifted);
        EXPECT_FALSE(tick.overlay.travel);
        EXPECT_EQ(tick.overlay.needle, (StitchPoint{last.x1, last.y1}));
        if (window->PlacedStitches()[tick.drawPosition].kind == StitchKind::Stitch) {
            ++batchesEndingInsideARun;
        }
    }
    EXPECT_GE(batches, 5);
    EXPECT_GT(batchesEndingInsideARun, 0) << "the case where the thread runs past the last drop";
}

TEST_F(MachinePlaybackTest, TravelThreadRunsFromTheLastDropToTheMovingNeedleAndIsCutOnSewing) {
    const std::unique_ptr<CSaverWnd> window = Open(Playback::Machine);
    const std::vector<Tick> ticks = PlayDesign(*window);
    std::size_t first = 0;
    while (first < ticks.size() && ticks[first].result != TickResult::Travelled) ++first;
    ASSERT_LT(first, ticks.size()) << "the jump is travelled";
    std::size_t after = first;
    while (ticks[after].result == TickResult::Travelled) ++after;

    const StitchPoint from = ticks[first - 1].overlay.needle;
    // The needle ends where the first stitch after the jump goes in.
    const StitchRecord* placed = window->PlacedStitches();
    std::int32_t far = ticks[first - 1].drawPosition;
    while (placed[far].kind == StitchKind::Stitch) ++far;
    while (placed[far].kind != StitchKind::Stitch) ++far;
    const StitchPoint to{placed[far].x, placed[far].y};

    long previous = std::labs(to.x - from.x) + std::labs(to.y - from.y);
    for (std::size_t i = first; i < after; ++i) {
        const MachineOverlay& overlay = ticks[i].overlay;
        EXPECT_TRUE(overlay.travel && overlay.lifted);
        EXPECT_EQ(overlay.travelFrom, from);
        EXPECT_EQ(overlay.thread, PenColour(window->LoadedDesign(), 0));
        const long left = std::labs(to.x - overlay.needle.x) + std::labs(to.y - overlay.needle.y);
        EXPECT_LT(left, previous) << "the needle moves toward the far end every tick";
        previous = left;
    }
    EXPECT_EQ(ticks[after - 1].overlay.needle, to);
    EXPECT_EQ(static_cast<std::int32_t>(after - first),
              TravelTicks(std::abs(to.x - from.x), 40));  // a horizontal jump
    EXPECT_EQ(ticks[after].result, TickResult::Drew);
    EXPECT_FALSE(ticks[after].overlay.travel) << "sewing cuts the travel thread";
    EXPECT_FALSE(ticks[after].overlay.lifted);
}

TEST_F(MachinePlaybackTest, ThreadChangeStandsStillAboutASecondShowingTheNextSpool) {
    for (const int drawSpeed : {1, 3, 10}) {
        const std::unique_ptr<CSaverWnd> window = Open(Playback::Machine, drawSpeed);
        const std::vector<Tick> ticks = PlayDesign(*window);
        int changeTicks = 0;
        for (const Tick& tick : ticks) {
            if (tick.result != TickResult::ChangedThread) continue;
            ++changeTicks;
            EXPECT_TRUE(tick.overlay.lifted && tick.overlay.spool);
            EXPECT_EQ(tick.overlay.spoolColour, PenColour(window->LoadedDesign(), 1));
        }
        const int period = drawSpeed * TimerUnitMilliseconds;
        EXPECT_EQ(changeTicks, ThreadChangeTicks(period)) << drawSpeed;
        EXPECT_LE(std::abs(changeTicks * period - ThreadChangeMilliseconds), period / 2)
            << drawSpeed;
        // The spool goes once sewing resumes in the new thread.
        std::size_t last = ticks.size() - 1;
        while (ticks[last].result != TickResult::ChangedThread) --last;
        EXPECT_FALSE(ticks[last + 1].overlay.spool);
        host_.surface.calls.clear();
    }
}

}  // namespace
}  // namespace vireluna
