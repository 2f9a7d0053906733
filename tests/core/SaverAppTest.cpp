#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/MemoryProfileStore.h"
#include "shell/SaverApp.h"
#include "shell/SaverSettings.h"
#include "tests/core/TestPathLimit.h"

namespace vireluna {
namespace {

constexpr std::uint32_t Now = 1'700'000'000u;
constexpr std::int64_t HostWindow = 1234;

// Start-up's system, recording what start-up asks of it.
class FakeSaverSystem : public SaverSystem {
  public:
    MemoryProfileStore profile;
    std::map<std::string, std::string, std::less<>> environment;
    std::set<std::string> existingFiles;
    std::set<std::int64_t> windows{HostWindow};
    bool windowsCanBeCreated = true;

    int aboutBoxes = 0;
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    std::vector<std::string> searches;
    std::vector<std::int64_t> previews;
    int fullScreens = 0;
    TickLimit ticksGiven;
    std::uint32_t seedAtCreation = 0;
    Random* random = nullptr;

    ProfileStore& OpenProfile() override { return profile; }
    std::uint32_t SecondsNow() override { return Now; }
    std::optional<std::string> Environment(std::string_view name) override {
        const auto found = environment.find(name);
        if (found == environment.end()) return std::nullopt;
        return found->second;
    }
    void ShowAboutBox() override { ++aboutBoxes; }
    void ShowMessageBox(std::string_view text, std::string_view caption,
                        MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon});
    }
    bool DirectorySearchFinds(const std::string& pattern) override {
        searches.push_back(pattern);
        return existingFiles.count(pattern) > 0;
    }
    PathLimit DesignPathLimit() const override { return testing::TestPathLimit; }
    bool IsWindowHandle(std::int64_t handle) override { return windows.count(handle) > 0; }
    bool CreatePreviewWindow(std::int64_t host, ProfileStore&, Random& generator,
                             TickLimit ticks) override {
        previews.push_back(host);
        return Created(generator, ticks);
    }
    bool CreateFullScreenWindow(ProfileStore&, Random& generator, TickLimit ticks) override {
        ++fullScreens;
        return Created(generator, ticks);
    }

  private:
    bool Created(Random& generator, TickLimit ticks) {
        ticksGiven = ticks;
        seedAtCreation = generator.State();
        return windowsCanBeCreated;
    }
};

class SaverAppTest : public ::testing::Test {
  protected:
    SaverAppTest() { system.existingFiles.insert(DefaultDesignPath()); }

    bool Start(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "C:\\Windows\\VirelunaLogo.scr");
        return app.InitInstance(arguments);
    }
    void SetFile(int k, const std::string& path, bool exists) {
        system.profile.WriteString(FileListSection, PlaylistEntryName(k), path);
        if (exists) system.existingFiles.insert(path);
    }
    bool NothingShownOrStarted() const {
        return system.aboutBoxes == 0 && system.messages.empty() && system.previews.empty() &&
               system.fullScreens == 0;
    }

    FakeSaverSystem system;
    Random random;
    CSaverApp app{system, random};
};

TEST_F(SaverAppTest, NoSwitchOrTheConfigurationSwitchShowsTheAboutBoxAndEnds) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {}, {"/c"}, {"-C"}, {"c"}, {"/c:1234"}, {"/C", "/s"}}) {
        FakeSaverSystem fresh;
        Random generator;
        CSaverApp freshApp(fresh, generator);
        std::vector<std::string> all{"VirelunaLogo.scr"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        EXPECT_FALSE(freshApp.InitInstance(all));
        EXPECT_EQ(fresh.aboutBoxes, 1) << ::testing::PrintToString(arguments);
        EXPECT_EQ(fresh.fullScreens, 0);
        EXPECT_TRUE(fresh.searches.empty());
    }
}

TEST_F(SaverAppTest, AnUnknownSwitchEndsAtOnceShowingNothing) {
    for (const char* unknown : {"/x", "/", "-", "save", "", "ss"}) {
        FakeSaverSystem fresh;
        Random generator;
        CSaverApp freshApp(fresh, generator);
        EXPECT_FALSE(freshApp.InitInstance({"VirelunaLogo.scr", unknown})) << unknown;
        EXPECT_EQ(fresh.aboutBoxes, 0) << unknown;
        EXPECT_TRUE(fresh.messages.empty()) << unknown;
        EXPECT_EQ(fresh.fullScreens + static_cast<int>(fresh.previews.size()), 0) << unknown;
    }
}

TEST_F(SaverAppTest, TheScreenSaverSwitchRunsFullScreenAfterThePlaylistCheck) {
    EXPECT_TRUE(Start({"/S"}));
    EXPECT_EQ(system.fullScreens, 1);
    EXPECT_EQ(system.searches, std::vector<std::string>{DefaultDesignPath()});
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(SaverAppTest, TheGeneratorIsSeededFromTheTimeUnlessTheSeedVariableGivesOne) {
    ASSERT_TRUE(Start({"s"}));
    EXPECT_EQ(system.seedAtCreation, Now);
    EXPECT_EQ(system.ticksGiven.AllowsTick(), true);

    FakeSaverSystem seeded;
    seeded.existingFiles.insert(DefaultDesignPath());
    seeded.environment = {{"VIRELUNA_SEED", "42"}, {"VIRELUNA_TICKS", "2"}};
    Random generator;
    CSaverApp seededApp(seeded, generator);
    ASSERT_TRUE(seededApp.InitInstance({"VirelunaLogo.scr", "/s"}));
    EXPECT_EQ(seeded.seedAtCreation, 42u);
    TickLimit ticks = seeded.ticksGiven;
    EXPECT_FALSE(ticks.CountTick());
    EXPECT_TRUE(ticks.CountTick());
    EXPECT_FALSE(ticks.AllowsTick());

    // A value that is no number leaves the saver as it would run without the variables.
    FakeSaverSystem odd;
    odd.existingFiles.insert(DefaultDesignPath());
    odd.environment = {{"VIRELUNA_SEED", "-3"}, {"VIRELUNA_TICKS", "lots"}};
    CSaverApp oddApp(odd, generator);
    ASSERT_TRUE(oddApp.InitInstance({"VirelunaLogo.scr", "/s"}));
    EXPECT_EQ(odd.seedAtCreation, Now);
    EXPECT_TRUE(odd.ticksGiven.AllowsTick());
}

TEST_F(SaverAppTest, APreviewRunsInsideTheHostWindowGivenInDecimal) {
    EXPECT_TRUE(Start({"/p", "1234"}));
    EXPECT_EQ(system.previews, std::vector<std::int64_t>{HostWindow});
    EXPECT_EQ(system.fullScreens, 0);
}

TEST_F(SaverAppTest, APreviewWithoutAUsableHostWindowEndsQuietly) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"/p"},
                                               {"/p", ""},
                                               {"/p", "window"},
                                               {"/p", "999"},
                                               {"/p", "-1234"},
                                               {"/p", "99999999999999999999"}}) {
        FakeSaverSystem fresh;
        Random generator;
        CSaverApp freshApp(fresh, generator);
        std::vector<std::string> all{"VirelunaLogo.scr"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        EXPECT_FALSE(freshApp.InitInstance(all)) << ::testing::PrintToString(arguments);
        EXPECT_TRUE(fresh.previews.empty());
        EXPECT_TRUE(fresh.messages.empty());
        EXPECT_TRUE(fresh.searches.empty());
    }
}

TEST_F(SaverAppTest, AWindowThatCannotBeCreatedEndsTheProgram) {
    system.windowsCanBeCreated = false;
    EXPECT_FALSE(Start({"/s"}));
    EXPECT_FALSE(Start({"/p", "1234"}));
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(SaverAppTest, AMissingFileIsNamedWithTheStopIconAndNoSaverStarts) {
    system.existingFiles.clear();
    EXPECT_FALSE(Start({"/S"}));
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].text, "File cannot be opened.\n\n" + DefaultDesignPath() + "\n");
    EXPECT_EQ(system.messages[0].caption, "VirelunaLogo");
    EXPECT_EQ(system.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(system.fullScreens, 0);

    EXPECT_FALSE(Start({"/p", "1234"}));
    EXPECT_EQ(system.messages.size(), 2u);
    EXPECT_TRUE(system.previews.empty());
}

TEST_F(SaverAppTest, TheCheckListsEveryFailedEntryInPlaylistOrder) {
    SetFile(1, "C:\\a.pxs", true);
    SetFile(2, "C:\\b.pxs", false);
    SetFile(3, "C:\\designs\\*.pxs", true);
    SetFile(4, "D:\\d.pxs", false);
    EXPECT_FALSE(app.CheckPlaylistFiles(system.profile));
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].text, "File cannot be opened.\n\nC:\\b.pxs\nD:\\d.pxs\n");
    EXPECT_EQ(system.searches, (std::vector<std::string>{"C:\\a.pxs", "C:\\b.pxs",
                                                         "C:\\designs\\*.pxs", "D:\\d.pxs"}));
}

TEST_F(SaverAppTest, AnEmptyFirstEntryFailsWithAnEmptyLineWithoutASearch) {
    SetFile(1, "", false);
    EXPECT_FALSE(app.CheckPlaylistFiles(system.profile));
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].text, "File cannot be opened.\n\n\n");
    EXPECT_TRUE(system.searches.empty());
}

// A path the saver could not open is refused at start, though the search would find it.
TEST_F(SaverAppTest, AnEntryBeyondThePathLimitFailsThoughItExists) {
    std::string folder = "C:\\";
    for (int i = 0; i < 250; ++i) folder += "\xE5\x88\xBA";  // one UTF-16 unit each
    folder += "\\";
    SetFile(1, folder + "a.pxs", true);  // 259 units, 759 bytes
    SetFile(2, folder + "ab.pxs", true);
    EXPECT_FALSE(app.CheckPlaylistFiles(system.profile));
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].text, "File cannot be opened.\n\n" + folder + "ab.pxs\n");
}

TEST_F(SaverAppTest, OnlyTheEntriesThatWillBePlayedAreChecked) {
    // File03 is empty, so the saver plays File01 and File02 only; File04 never plays.
    SetFile(1, "C:\\a.pxs", true);
    SetFile(2, "C:\\b.pxs", true);
    SetFile(3, "", false);
    SetFile(4, "C:\\gone.pxs", false);
    EXPECT_TRUE(app.CheckPlaylistFiles(system.profile));
    EXPECT_TRUE(system.messages.empty());
    EXPECT_EQ(system.searches, (std::vector<std::string>{"C:\\a.pxs", "C:\\b.pxs"}));
}

}  // namespace
}  // namespace vireluna
