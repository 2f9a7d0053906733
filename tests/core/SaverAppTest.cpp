#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/SaverApp.h"
#include "core/settings/SaverSettings.h"
#include "tests/core/TestPathLimit.h"

namespace vireluna {
namespace {

constexpr std::uint32_t Now = 1'700'000'000u;
constexpr std::int64_t HostWindow = 1234;
const std::string DefaultDesign = "C:\\Designs\\logo.pxs";

// Start-up's system and its files, recording what start-up asks of them.
class FakeSaverSystem : public SaverSystem, public FileSystem, public MessageBoxes {
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
    RunStart startGiven;
    std::optional<MonitorLayout> monitorsGiven;

    ProfileStore& OpenProfile() override { return profile; }
    std::uint32_t SecondsNow() override { return Now; }
    std::optional<std::string> Environment(std::string_view name) override {
        const auto found = environment.find(name);
        if (found == environment.end()) return std::nullopt;
        return found->second;
    }
    void ShowAboutBox() override { ++aboutBoxes; }
    MessageBoxes& Boxes() override { return *this; }
    void Show(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon});
    }
    FileSystem& Files() override { return *this; }
    // Start-up reads no file: the saver window does.
    std::unique_ptr<InputFile> NewInputFile() override { return nullptr; }
    std::string DefaultDesignPath() override { return DefaultDesign; }
    bool DirectorySearchFinds(const std::string& pattern) override {
        searches.push_back(pattern);
        return existingFiles.count(pattern) > 0;
    }
    PathLimit DesignPathLimit() const override { return testing::TestPathLimit; }
    // No folder of designs in these profiles.
    bool ListFilesBelow(const std::string&,
                        const std::function<bool(const std::string&)>&) override {
        return false;
    }
    bool IsWindowHandle(std::int64_t handle) override { return windows.count(handle) > 0; }
    bool CreatePreviewWindow(std::int64_t host, ProfileStore&, RunStart start) override {
        previews.push_back(host);
        return Created(start);
    }
    bool CreateFullScreenWindow(ProfileStore&, RunStart start,
                                const std::optional<MonitorLayout>& monitors) override {
        ++fullScreens;
        monitorsGiven = monitors;
        return Created(start);
    }

  private:
    bool Created(RunStart start) {
        startGiven = start;
        return windowsCanBeCreated;
    }
};

// Starts the program on a system of its own with the arguments after the program's name.
bool StartOn(FakeSaverSystem& system, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "VirelunaLogo.scr");
    return CSaverApp(system).InitInstance(arguments);
}

class SaverAppTest : public ::testing::Test {
  protected:
    SaverAppTest() { system.existingFiles.insert(DefaultDesign); }

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
    CSaverApp app{system};
};

TEST_F(SaverAppTest, NoSwitchOrTheConfigurationSwitchShowsTheAboutBoxAndEnds) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {}, {"/c"}, {"-C"}, {"c"}, {"/c:1234"}, {"/C", "/s"}}) {
        FakeSaverSystem fresh;
        EXPECT_FALSE(StartOn(fresh, arguments));
        EXPECT_EQ(fresh.aboutBoxes, 1) << ::testing::PrintToString(arguments);
        EXPECT_EQ(fresh.fullScreens, 0);
        EXPECT_TRUE(fresh.searches.empty());
    }
}

TEST_F(SaverAppTest, AnUnknownSwitchEndsAtOnceShowingNothing) {
    for (const char* unknown : {"/x", "/", "-", "save", "", "ss"}) {
        FakeSaverSystem fresh;
        EXPECT_FALSE(StartOn(fresh, {unknown})) << unknown;
        EXPECT_EQ(fresh.aboutBoxes, 0) << unknown;
        EXPECT_TRUE(fresh.messages.empty()) << unknown;
        EXPECT_EQ(fresh.fullScreens + static_cast<int>(fresh.previews.size()), 0) << unknown;
    }
}

TEST_F(SaverAppTest, TheScreenSaverSwitchRunsFullScreenAfterThePlaylistCheck) {
    EXPECT_TRUE(Start({"/S"}));
    EXPECT_EQ(system.fullScreens, 1);
    EXPECT_EQ(system.searches, std::vector<std::string>{DefaultDesign});
    EXPECT_TRUE(system.messages.empty());
}

TEST_F(SaverAppTest, TheRunControlsComeFromTheirVariablesElseTheTimeAndTheSystem) {
    ASSERT_TRUE(Start({"s"}));
    EXPECT_EQ(system.startGiven.seed, Now);
    EXPECT_EQ(system.startGiven.tickLimit, std::nullopt);
    EXPECT_EQ(system.monitorsGiven, std::nullopt) << "the system's own monitors";

    FakeSaverSystem seeded;
    seeded.existingFiles.insert(DefaultDesign);
    seeded.environment = {{"VIRELUNA_SEED", "42"},
                          {"VIRELUNA_TICKS", "2"},
                          {"VIRELUNA_MONITORS", "512x768+0+0,400x300-400+0"}};
    ASSERT_TRUE(StartOn(seeded, {"/s"}));
    EXPECT_EQ(seeded.startGiven.seed, 42u);
    EXPECT_EQ(seeded.startGiven.tickLimit, 2);
    EXPECT_EQ(seeded.monitorsGiven,
              MonitorLayout({MonitorRect{0, 0, 512, 768}, MonitorRect{-400, 0, 400, 300}}));

    // A value that is no number or list leaves the saver as it would run without the variables.
    FakeSaverSystem odd;
    odd.existingFiles.insert(DefaultDesign);
    odd.environment = {
        {"VIRELUNA_SEED", "-3"}, {"VIRELUNA_TICKS", "lots"}, {"VIRELUNA_MONITORS", "two"}};
    ASSERT_TRUE(StartOn(odd, {"/s"}));
    EXPECT_EQ(odd.startGiven.seed, Now);
    EXPECT_EQ(odd.startGiven.tickLimit, std::nullopt);
    EXPECT_EQ(odd.monitorsGiven, std::nullopt);
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
        EXPECT_FALSE(StartOn(fresh, arguments)) << ::testing::PrintToString(arguments);
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
    EXPECT_EQ(system.messages[0].text, "File cannot be opened.\n\n" + DefaultDesign + "\n");
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
    EXPECT_FALSE(CheckPlaylistFiles(system.profile, system, system));
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].text, "File cannot be opened.\n\nC:\\b.pxs\nD:\\d.pxs\n");
    EXPECT_EQ(system.searches, (std::vector<std::string>{"C:\\a.pxs", "C:\\b.pxs",
                                                         "C:\\designs\\*.pxs", "D:\\d.pxs"}));
}

TEST_F(SaverAppTest, AnEmptyFirstEntryFailsWithAnEmptyLineWithoutASearch) {
    SetFile(1, "", false);
    EXPECT_FALSE(CheckPlaylistFiles(system.profile, system, system));
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
    EXPECT_FALSE(CheckPlaylistFiles(system.profile, system, system));
    ASSERT_EQ(system.messages.size(), 1u);
    EXPECT_EQ(system.messages[0].text, "File cannot be opened.\n\n" + folder + "ab.pxs\n");
}

TEST_F(SaverAppTest, OnlyTheEntriesThatWillBePlayedAreChecked) {
    // File03 is empty, so the saver plays File01 and File02 only; File04 never plays.
    SetFile(1, "C:\\a.pxs", true);
    SetFile(2, "C:\\b.pxs", true);
    SetFile(3, "", false);
    SetFile(4, "C:\\gone.pxs", false);
    EXPECT_TRUE(CheckPlaylistFiles(system.profile, system, system));
    EXPECT_TRUE(system.messages.empty());
    EXPECT_EQ(system.searches, (std::vector<std::string>{"C:\\a.pxs", "C:\\b.pxs"}));
}

}  // namespace
}  // namespace vireluna
