#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/FullScreenSaverWnd.h"
#include "core/saver/MonitorRuns.h"
#include "core/saver/SaverRun.h"
#include "core/saver/SaverWnd.h"
#include "tests/core/FakeWindowHost.h"
#include "tests/core/SystemFiles.h"
#include "tools/formats/DesignPlan.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna {
namespace {

namespace fs = std::filesystem;

using fakes::Utf8;

// The system's files, with names the folder walk also gives that are not there: files that
// vanish between the walk and their turn.
class VanishingFiles final : public fakes::SystemFileSystem {
  public:
    std::vector<std::string> vanished;
    int folderReads = 0;

    bool ListFilesBelow(const std::string& folder,
                        const std::function<bool(const std::string&)>& found) override {
        ++folderReads;
        if (!SystemFileSystem::ListFilesBelow(folder, found)) return false;
        for (const std::string& path : vanished) {
            if (!found(path)) break;
        }
        return true;
    }
};

class FolderPlayTest : public ::testing::Test {
  protected:
    FolderPlayTest() {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        root = fs::temp_directory_path() / ("vireluna_folder_" + test);
        fs::remove_all(root);
        fs::create_directories(root);
        // One stitch a design and no hold: every tick starts the next design.
        for (const auto& [entry, value] : {std::pair{"HoldTime", 0}, {"Rotation", 0}}) {
            profile.WriteInteger(ConfigSection, entry, value);
        }
    }
    ~FolderPlayTest() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    std::string Design(const std::string& relative) {
        // As the walk gives it: with the system's separators.
        const fs::path path = (root / relative).make_preferred();
        fs::create_directories(path.parent_path());
        pxs::PxsWriter writer;
        writer.Move(10, 0);
        writer.End();
        EXPECT_TRUE(writer.WriteFile(Utf8(path)));
        return Utf8(path);
    }
    // One short run written in the format its name's extension says.
    std::string DesignIn(const std::string& relative,
                         formats::Bytes (*write)(const formats::DesignPlan&)) {
        const fs::path path = (root / relative).make_preferred();
        fs::create_directories(path.parent_path());
        formats::DesignPlan plan;
        plan.blocks.push_back({});
        plan.blocks.back().runs.push_back({{0, 0}, {10, 0}, {10, 10}});
        EXPECT_TRUE(formats::WriteBytes(write(plan), Utf8(path).c_str()));
        return Utf8(path);
    }
    std::string Folder() const { return Utf8(root); }

    void Open(const std::string& file01) {
        profile.WriteString(FileListSection, "File01", file01);
        profile.WriteString(FileListSection, FolderEntry, Folder());
        window = std::make_unique<CSaverWnd>(profile, host, random, files);
        window->OnCreate();
        window->OnSize(1024, 768);
    }
    // The files the next ticks start, one a tick.
    std::vector<std::string> Play(int designs) {
        std::vector<std::string> played;
        for (int i = 0; i < designs; ++i) {
            window->OnTimer();
            EXPECT_NE(window->LastTick(), TickResult::LoadSkipped);
            played.push_back(window->CurrentPath());
        }
        return played;
    }

    fs::path root;
    MemoryProfileStore profile;
    fakes::FakeWindowHost host{{1024, 768}};
    Random random{2026};
    VanishingFiles files;
    std::unique_ptr<CSaverWnd> window;
};

TEST_F(FolderPlayTest, APassPlaysEveryDesignOnceAndTheNextPassSeesTheFolderAnew) {
    const std::string listed = Design("../vireluna_listed_design.pxs");
    std::vector<std::string> designs = {Design("a.pxs"), Design("sub/B.PXS"),
                                        Design("sub/deeper/c.Pxs"), Design("d.dst.pxs")};
    // Designs of every format the saver reads, wherever they lie; Play checks that each loads.
    for (const std::string& other :
         {DesignIn("e.DST", formats::WriteDst), DesignIn("sub/f.exp", formats::WriteExp),
          DesignIn("sub/deeper/g.Pes",
                   [](const formats::DesignPlan& plan) { return formats::WritePes(plan); }),
          DesignIn("sub/deeper/h.vp3", formats::WriteVp3), DesignIn("i.HUS", formats::WriteHus),
          DesignIn("sub/j.vip", formats::WriteVip), DesignIn("k.Xxx", formats::WriteXxx),
          DesignIn("sub/deeper/l.pcs", formats::WritePcs)}) {
        designs.push_back(other);
    }
    std::ofstream(root / "notes.txt") << "not a design";
    std::ofstream(root / "sub" / "pxs") << "no extension";
    Open(listed);

    std::vector<std::string> pass = Play(13);
    std::vector<std::string> expected = designs;
    expected.push_back(listed);
    std::sort(pass.begin(), pass.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(pass, expected);

    // Designs added and removed while the saver runs count from the next pass on.
    fs::remove(root / "a.pxs");
    const std::string added = Design("sub/new.pxs");
    pass = Play(13);
    expected = designs;
    expected.erase(expected.begin());
    expected.push_back(added);
    expected.push_back(listed);
    std::sort(pass.begin(), pass.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(pass, expected);
    EXPECT_TRUE(host.messages.empty());
    fs::remove(listed);
}

// A folder design that cannot be loaded is passed over without a box and leaves nothing on
// the screen: no notice, no emblem, no corner used. A listed file that fails is named as
// without a folder, and its attempt's notice and emblem stay, as they always have.
TEST_F(FolderPlayTest, AFolderDesignThatCannotBeLoadedIsPassedOverLeavingNothing) {
    const std::string good = Design("good.pxs");
    // More than one tick's worth, so that some ticks pass over designs and load none.
    for (int i = 0; i < 2 * MaxFolderDesignsTriedPerTick; ++i) {
        files.vanished.push_back(Utf8(root / "gone") + std::to_string(i) + ".pxs");
    }
    const std::string missingListed = Utf8(root / "listed-but-missing.pxs");
    Open(missingListed);

    std::vector<std::string> loaded;
    int skipped = 0;
    int failed = 0;
    for (int tick = 0; tick < 40; ++tick) {
        host.surface.calls.clear();
        const std::int32_t slot = window->LogoSlot();
        window->OnTimer();
        host.AnswerMessage(*window);
        const TickResult result = window->LastTick();
        if (result == TickResult::DesignFinished) loaded.push_back(window->CurrentPath());
        EXPECT_NE(result, TickResult::NothingToPlay);
        const bool started =
            result == TickResult::DesignFinished || result == TickResult::LoadFailed;
        const int notices =
            static_cast<int>(host.surface.CallsOf(fakes::SurfaceCallKind::DrawText).size());
        const int emblems =
            static_cast<int>(host.surface.CallsOf(fakes::SurfaceCallKind::DrawLogo).size());
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_EQ(notices, started ? 1 : 0);
        EXPECT_EQ(emblems, started ? 1 : 0);
        EXPECT_EQ(window->LogoSlot(), started ? (slot + 1) % LogoCornerCount : slot);
        skipped += result == TickResult::LoadSkipped ? 1 : 0;
        failed += result == TickResult::LoadFailed ? 1 : 0;
    }
    EXPECT_GT(skipped, 0);
    EXPECT_GT(failed, 0);
    EXPECT_FALSE(loaded.empty());
    EXPECT_TRUE(std::all_of(loaded.begin(), loaded.end(),
                            [&](const std::string& path) { return path == good; }));
    ASSERT_EQ(static_cast<int>(host.messages.size()), failed);
    for (const auto& message : host.messages) {
        EXPECT_EQ(message.text, std::string(FileNotFoundPrefix) + missingListed);
    }
    EXPECT_FALSE(window->NothingCanBePlayed());
}

// A pass in which nothing could be played draws nothing and is followed by a wait of the hold
// time before the folder is read again, never a read on every tick. With nothing
// listed either, the full-screen saver ends; an empty folder is looked into again after the
// hold, and a design that arrives there plays.
TEST_F(FolderPlayTest, APassThatPlaysNothingWaitsBeforeReadingAgainOrEndsTheFullScreenSaver) {
    files.vanished = {Utf8(root / "gone.pxs")};
    for (const std::int32_t hold : {0, 5, 100}) {
        SCOPED_TRACE("hold " + std::to_string(hold));
        profile.WriteInteger(ConfigSection, "HoldTime", hold);
        files.folderReads = 0;
        Open("");
        host.surface.calls.clear();
        constexpr int Ticks = 400;
        for (int i = 0; i < Ticks; ++i) window->OnTimer();
        EXPECT_TRUE(host.surface.CallsOf(fakes::SurfaceCallKind::DrawText).empty());
        EXPECT_TRUE(host.surface.CallsOf(fakes::SurfaceCallKind::DrawLogo).empty());
        // The start tick, the wait, then (not a preview) the pause.
        const int cycle = 1 + std::max(hold, MinTicksBeforeLookingAgain) + PauseTicks;
        EXPECT_LE(files.folderReads, Ticks / cycle + 1);
        EXPECT_GE(files.folderReads, Ticks / cycle);
        EXPECT_TRUE(window->NothingCanBePlayed());
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(host.closeRequests, 0) << "only the full-screen saver ends itself";
    }

    profile.WriteInteger(ConfigSection, "HoldTime", 2);
    profile.WriteString(FileListSection, FolderEntry, Folder());
    CFullScreenSaverWnd fullScreen(profile, host, random, files);
    fullScreen.OnCreate();
    fullScreen.OnSize(1024, 768);
    fullScreen.OnTimer();
    EXPECT_EQ(fullScreen.LastTick(), TickResult::NothingPlayed);
    EXPECT_EQ(host.closeRequests, 1);

    // An empty folder alone: an empty design's hold, then the folder is read again.
    files.vanished.clear();
    Open("");
    window->OnTimer();
    EXPECT_EQ(window->LastTick(), TickResult::NothingToPlay);
    window->OnTimer();
    EXPECT_EQ(window->LastTick(), TickResult::Held);
    const std::string arrived = Design("arrived.pxs");
    for (int i = 0; i < 100 && window->LastTick() != TickResult::DesignFinished; ++i) {
        window->OnTimer();
    }
    EXPECT_EQ(window->CurrentPath(), arrived);
    EXPECT_EQ(host.closeRequests, 1);
}

// The runs of every monitor play from one reading of the folder: read once for the first pass
// of all, whatever the number of monitors.
TEST_F(FolderPlayTest, EveryMonitorPlaysFromOneReadingOfTheFolder) {
    for (int i = 0; i < 5; ++i) Design("d" + std::to_string(i) + ".pxs");
    profile.WriteString(FileListSection, "File01", "");
    profile.WriteString(FileListSection, FolderEntry, Folder());
    fakes::FakeWindowHost window{{2400, 600}};
    MonitorRuns runs(RunMode::Picture, profile, window, files, {3, {}},
                     MonitorLayout({{0, 0, 800, 600}, {800, 0, 800, 600}, {1600, 0, 800, 600}}));
    runs.Start();
    runs.Step();
    EXPECT_EQ(files.folderReads, 1);
    for (std::size_t place = 0; place < 3; ++place) {
        ASSERT_NE(runs.RunAt(place), nullptr);
        EXPECT_EQ(runs.RunAt(place)->Window().LastTick(), TickResult::DesignFinished);
        EXPECT_EQ(runs.RunAt(place)->Window().Folder().Count(), 5u);
    }
    // Each run's next pass: the folder is read again, once for them all.
    for (int i = 0; i < 5; ++i) runs.Step();
    EXPECT_EQ(files.folderReads, 2);
}

TEST_F(FolderPlayTest, StartUpNamesAFolderThatIsNotThereOrHasNothingToPlay) {
    const std::string listed = Design("../vireluna_listed_startup.pxs");
    struct Case {
        std::string file01;
        std::string folder;
        std::vector<std::string> missing;
    };
    const std::string gone = Utf8(root / "no such folder");
    const std::string emptyFolder = Utf8(root / "empty");
    fs::create_directories(emptyFolder);
    const std::string notAFolder = Design("design.pxs");
    for (const Case& c : {Case{listed, gone, {gone}}, Case{"", gone, {gone}},
                          Case{listed, notAFolder, {notAFolder}}, Case{listed, emptyFolder, {}},
                          Case{"", emptyFolder, {emptyFolder + std::string(NoDesignInFolderNote)}},
                          Case{"", Folder(), {}}}) {
        SCOPED_TRACE(c.file01 + " | " + c.folder);
        MemoryProfileStore store;
        store.WriteString(FileListSection, "File01", c.file01);
        store.WriteString(FileListSection, FolderEntry, c.folder);
        EXPECT_EQ(MissingPlaylistFiles(store, files), c.missing);
    }
    fs::remove(listed);
}

}  // namespace
}  // namespace vireluna
