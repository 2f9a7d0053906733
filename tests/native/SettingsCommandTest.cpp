#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "tests/native/ProfileTestFolder.h"
#include "tests/native/ToolRun.h"

namespace vireluna {
namespace {

using testing::TempFolder;
using testing::WriteFile;

using testing::RunCapturingOutput;
using testing::ToolRun;

// Runs `vireluna settings` with the given arguments (and environment settings in front).
ToolRun RunSettings(const std::string& arguments, const std::string& environment = "") {
    return RunCapturingOutput(environment + " '" + VIRELUNA_TOOL_PATH + "' settings " + arguments +
                              " 2>/dev/null");
}

nlohmann::json ParseJson(const std::string& text) {
    return nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
}

const char* const OutOfRangeProfile =
    "[Config]\nPenSize=2\nRotation=7\nDrawSpeed=0\nReduction=55\nHoldTime=70\nDrawStep=3\nMonitors="
    "1\nLook=5\nFit=1\n"
    "[Display File List]\nFile01=/a.pxs\nFile02=/b c.pxs\nFile03=\nFile04=/d.pxs\n"
    "Folder=/my designs\n";

class SettingsCommandTest : public ::testing::Test {
  protected:
    std::string Profile(const std::string& contents) {
        const std::string path = folder_.Path() + "/profile.ini";
        WriteFile(path, contents);
        return path;
    }
    TempFolder folder_;
};

TEST_F(SettingsCommandTest, JsonShowsStoredInUseAndRunTimeValues) {
    const std::string path = Profile(OutOfRangeProfile);
    const ToolRun run = RunSettings("--json --profile '" + path + "'");
    ASSERT_EQ(run.status, 0);
    const nlohmann::json json = ParseJson(run.out);
    ASSERT_FALSE(json.is_discarded()) << run.out;

    EXPECT_EQ(json["profile"]["location"], path);
    EXPECT_EQ(json["profile"]["state"], "found");
    EXPECT_EQ(json["stored"]["Rotation"], 7);
    EXPECT_EQ(json["stored"]["DrawSpeed"], 0);
    EXPECT_EQ(json["inUse"]["Rotation"], 7) << "any value beyond 2 is the full turn";
    EXPECT_EQ(json["inUse"]["DrawSpeed"], 1) << "a timer of 0 ms would be a fault";
    EXPECT_EQ(json["inUse"]["Look"], 0) << "an unknown look is the default one";
    EXPECT_EQ(json["settings"], (nlohmann::json{{"stitchesPerTick", 5},
                                                {"HoldTime", 70},
                                                {"Reduction", 55},
                                                {"timerPeriod", 10},
                                                {"Rotation", 7},
                                                {"PenSize", 2},
                                                {"monitors", "plain"},
                                                {"look", "flat"},
                                                {"fit", "on"},
                                                {"playback", "exact"}}));
    EXPECT_EQ(json["playlist"]["fileCount"], 2);
    EXPECT_EQ(json["playlist"]["paths"], (nlohmann::json{"/a.pxs", "/b c.pxs"}));
    EXPECT_EQ(json["playlist"]["folder"], "/my designs");
}

TEST_F(SettingsCommandTest, TextNamesTheProfileAndMarksGuardedValues) {
    const std::string path = Profile(OutOfRangeProfile);
    const ToolRun run = RunSettings("--profile '" + path + "'");
    ASSERT_EQ(run.status, 0);
    for (const std::string& expected :
         {path + " (found)", std::string("DrawSpeed        0      1*  timerPeriod = 10 ms"),
          std::string("Rotation         7      7   Rotation = 7"),
          std::string("Monitors         1      1   monitors = plain"),
          std::string("Look             5      0*  look = flat"), std::string("fileCount = 2"),
          std::string("File02  /b c.pxs"), std::string("Fit              1      1   fit = on"),
          std::string("Folder   /my designs (and its sub-folders)")}) {
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    }
    EXPECT_EQ(run.out.find("/d.pxs"), std::string::npos);
}

// Text the saver cannot read as a number gives the default, so the stored text is shown as it
// stands and marked, not passed off as the default having been stored; its mark is its own,
// not that of a number the saver would not run with.
TEST_F(SettingsCommandTest, TextThatIsNoNumberIsShownAsStoredAndMarked) {
    const std::string path = Profile(
        "[Config]\nLook=5\nPenSize=99999999999\nRotation=0x5\nDrawSpeed=abc\n"
        "HoldTime=1e3\nDrawStep=\n");
    const ToolRun text = RunSettings("--profile '" + path + "'");
    ASSERT_EQ(text.status, 0);
    for (const std::string& expected :
         {std::string("PenSize    99999999999      1?  PenSize = 1"),
          std::string("Rotation       0x5      2?  Rotation = 2"),
          std::string("DrawSpeed      abc      3?  timerPeriod = 30 ms"),
          std::string("Reduction       80     80   Reduction = 80 %"),
          std::string("HoldTime       1e3    100?  HoldTime = 100 ticks"),
          std::string("DrawStep        \"\"      2?  stitchesPerTick = 3"),
          std::string("Look             5      0*  look = flat"),
          std::string("? not a whole number the saver can read: the default is used"),
          std::string("* the stored value would break the saver")}) {
        EXPECT_NE(text.out.find(expected), std::string::npos) << expected << "\n" << text.out;
    }

    const ToolRun json = RunSettings("--json --profile '" + path + "'");
    ASSERT_EQ(json.status, 0);
    const nlohmann::json parsed = ParseJson(json.out);
    ASSERT_FALSE(parsed.is_discarded()) << json.out;
    EXPECT_EQ(parsed["stored"]["PenSize"], "99999999999");
    EXPECT_EQ(parsed["stored"]["DrawSpeed"], "abc");
    EXPECT_EQ(parsed["stored"]["DrawStep"], "");
    EXPECT_EQ(parsed["stored"]["Reduction"], 80) << "a missing entry is its default, a number";
    EXPECT_EQ(parsed["inUse"]["DrawSpeed"], 3);
    EXPECT_EQ(parsed["settings"]["timerPeriod"], 30);
}

TEST_F(SettingsCommandTest, MissingProfileAtTheUsualPlaceGivesDefaults) {
    const ToolRun run = RunSettings("--json", "XDG_CONFIG_HOME='" + folder_.Path() + "'");
    ASSERT_EQ(run.status, 0);
    const nlohmann::json json = ParseJson(run.out);
    ASSERT_FALSE(json.is_discarded()) << run.out;
    EXPECT_EQ(json["profile"]["location"], folder_.Path() + "/TessoranVireluna/VirelunaLogo.ini");
    EXPECT_EQ(json["profile"]["exists"], false);
    EXPECT_EQ(json["settings"]["timerPeriod"], 30);
    EXPECT_EQ(json["playlist"]["fileCount"], 1);
}

TEST_F(SettingsCommandTest, UnreadableProfileFailsAndOddBytesStayValidJson) {
    std::filesystem::create_directories(folder_.Path() + "/folder.ini");
    EXPECT_EQ(RunSettings("--profile '" + folder_.Path() + "/folder.ini'").status, 1);

    const ToolRun run = RunSettings("--json --profile '" +
                                    Profile("[Display File List]\nFile01=/\xFF.pxs\n") + "'");
    ASSERT_EQ(run.status, 0);
    const nlohmann::json json = ParseJson(run.out);
    ASSERT_FALSE(json.is_discarded()) << run.out;
    EXPECT_EQ(json["playlist"]["paths"][0], "/\xEF\xBF\xBD.pxs");
}

}  // namespace
}  // namespace vireluna
