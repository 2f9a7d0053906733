#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/SaverStartup.h"
#include "core/settings/SaverSettings.h"
#include "tests/core/TestPathLimit.h"

namespace vireluna {
namespace {

constexpr std::uint32_t Now = 1'700'000'000u;
const std::string Design = "/designs/logo.pxs";

// A driver whose messages show only in the saver's own window, as on X11: it records what
// start-up did, in order.
class WindowOnlyDriver : public SaverDriver, public FileSystem, public MessageBoxes {
  public:
    MemoryProfileStore profile;
    bool profileOpens = true;
    std::set<std::string> existingFiles;
    std::vector<std::string> steps;
    RunMode modeGiven = RunMode::Picture;
    RunStart startGiven;

    ProfileStore* OpenProfile() override { return profileOpens ? &profile : nullptr; }
    FileSystem& Files() override { return *this; }
    std::uint32_t SecondsNow() override { return Now; }
    void ShowAboutBox() override { steps.push_back("about"); }
    MessageBoxes* BoxesBeforeWindow() override { return nullptr; }
    bool OpenWindow(RunMode mode, ProfileStore&, RunStart start) override {
        steps.push_back("open");
        modeGiven = mode;
        startGiven = start;
        return true;
    }
    MessageBoxes& WindowMessages() override { return *this; }
    void CloseWindow() override { steps.push_back("close"); }
    void Show(std::string_view text, std::string_view, MessageIcon) override {
        steps.push_back("message: " + std::string(text));
    }

    std::unique_ptr<InputFile> NewInputFile() override { return nullptr; }
    std::string DefaultDesignPath() override { return Design; }
    bool DirectorySearchFinds(const std::string& pattern) override {
        return existingFiles.count(pattern) > 0;
    }
    PathLimit DesignPathLimit() const override { return testing::TestPathLimit; }
    bool ListFilesBelow(const std::string&,
                        const std::function<bool(const std::string&)>&) override {
        return false;
    }
};

// Without boxes of its own before the window, the driver's window opens first and names a
// missing file; the saver then does not run and the window goes again.
TEST(SaverStartupTest, ADriverWithoutEarlyBoxesChecksThePlaylistInItsWindow) {
    WindowOnlyDriver missing;
    EXPECT_FALSE(StartSaver(missing, {StartAction::InWindow, std::nullopt, std::nullopt}));
    ASSERT_EQ(missing.steps.size(), 3u);
    EXPECT_EQ(missing.steps[0], "open");
    EXPECT_NE(missing.steps[1].find(Design), std::string::npos) << missing.steps[1];
    EXPECT_EQ(missing.steps[2], "close");

    WindowOnlyDriver present;
    present.existingFiles.insert(Design);
    EXPECT_TRUE(StartSaver(present, {StartAction::FullScreen, 7u, 100}));
    EXPECT_EQ(present.steps, std::vector<std::string>{"open"});
    EXPECT_EQ(present.modeGiven, RunMode::FullScreen);
    EXPECT_EQ(present.startGiven.seed, 7u);
    EXPECT_EQ(present.startGiven.tickLimit, 100);

    // No seed given: the time. A profile that cannot be had starts nothing.
    WindowOnlyDriver unseeded;
    unseeded.existingFiles.insert(Design);
    EXPECT_TRUE(StartSaver(unseeded, {StartAction::InWindow, std::nullopt, std::nullopt}));
    EXPECT_EQ(unseeded.modeGiven, RunMode::Picture);
    EXPECT_EQ(unseeded.startGiven.seed, Now);
    EXPECT_FALSE(unseeded.startGiven.tickLimit);
    WindowOnlyDriver noProfile;
    noProfile.profileOpens = false;
    EXPECT_FALSE(StartSaver(noProfile, {StartAction::FullScreen, std::nullopt, std::nullopt}));
    EXPECT_TRUE(noProfile.steps.empty());
}

}  // namespace
}  // namespace vireluna
