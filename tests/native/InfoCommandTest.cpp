#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tools/pxs/PxsWriter.h"

namespace {

using Json = nlohmann::json;
using vireluna::pxs::PxsWriter;

struct ToolRun {
    int status = -1;
    std::string out;
};

// Runs `vireluna info` with the arguments; standard error is dropped.
ToolRun RunInfo(const std::string& arguments) {
    const std::string command =
        std::string(VIRELUNA_TOOL_PATH) + " info " + arguments + " 2>/dev/null";
    ToolRun run;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

class InfoCommandTest : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const PxsWriter& writer) {
        const std::string path =
            (std::filesystem::temp_directory_path() / ("vireluna_info_" + name)).string();
        EXPECT_TRUE(writer.WriteFile(path));
        written_.push_back(path);
        return path;
    }

    void TearDown() override {
        for (const std::string& path : written_) std::filesystem::remove(path);
    }

  private:
    std::vector<std::string> written_;
};

TEST_F(InfoCommandTest, ReportsHeaderColoursRecordsAndScaledExtentsAsJson) {
    PxsWriter writer({10, 80, 2});
    writer.JumpTo(0, 10);  // leading: dropped
    writer.Move(20, 0);
    writer.Move(0, -50);
    writer.ColourChange();
    writer.Control(vireluna::pxs::JumpCode, 10, 10);
    writer.Move(30, 30);
    writer.End();
    const std::string path = Write("report.pxs", writer);

    const ToolRun run = RunInfo("--json --reduction 80 " + path);
    ASSERT_EQ(run.status, 0) << run.out;
    const Json all = Json::parse(run.out);
    ASSERT_EQ(all.size(), 1u);
    const Json& design = all[0];
    EXPECT_EQ(design["path"], path);
    EXPECT_EQ(design["loaded"], true);
    EXPECT_EQ(design["header"]["colourCount"], 3);
    EXPECT_EQ(design["header"]["streamOffset"], 116 + 12);
    EXPECT_EQ(design["header"]["withinLimits"], true);
    ASSERT_EQ(design["colours"].size(), 3u);
    EXPECT_EQ(design["colours"][0]["name"], "Red");
    EXPECT_EQ(design["colours"][0]["colour"], "0x020000FF");
    EXPECT_EQ(design["colours"][0]["rgb"], "#FF0000");
    EXPECT_EQ(design["colours"][1]["thread"], 80);
    EXPECT_TRUE(design["colours"][1]["name"].is_null());
    EXPECT_EQ(design["colours"][1]["colour"], "0x02000000");
    EXPECT_EQ(design["records"]["total"], 5);
    EXPECT_EQ(design["records"]["stitches"], 3);
    EXPECT_EQ(design["records"]["colourChanges"], 1);
    EXPECT_EQ(design["records"]["jumps"], 1);
    EXPECT_EQ(design["streamEnd"], "endCode");
    EXPECT_EQ(design["missingColours"], 0);
    // File points (20, 0), (20, -50), (60, -10); y flips, then x 0.8, truncated toward zero.
    EXPECT_EQ(design["extents"]["minX"], 16);
    EXPECT_EQ(design["extents"]["maxX"], 48);
    EXPECT_EQ(design["extents"]["minY"], 0);
    EXPECT_EQ(design["extents"]["maxY"], 40);
}

TEST_F(InfoCommandTest, WarnsAboutWhatTheSaverWillNotShowAsTheFileSays) {
    PxsWriter writer(std::vector<std::int32_t>(73, 10));
    writer.SetDeclaredStitchCount(70000);
    writer.Move(5, 5);
    writer.Control(0xFF, 1, 1);
    writer.Move(5, 5);
    Write("warnings.pxs", writer);
    PxsWriter blocks({10});
    blocks.Move(1, 1);
    blocks.ColourChange();
    blocks.ColourChange();
    blocks.End();
    Write("blocks.pxs", blocks);

    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    const ToolRun run = RunInfo((dir / "vireluna_info_warnings.pxs").string() + " " +
                                (dir / "vireluna_info_blocks.pxs").string());
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("more than 72 colours"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("more than 64000 stitches declared"), std::string::npos);
    EXPECT_NE(run.out.find("control code 255 at record 1"), std::string::npos);
    EXPECT_NE(run.out.find("no end code"), std::string::npos);
    EXPECT_NE(run.out.find("3 colour blocks, colour list of 1: 2 blocks"), std::string::npos);
    EXPECT_NE(run.out.find("x 5 to 5, y -5 to -5 (1 x 1 at 100%)"), std::string::npos);
}

TEST_F(InfoCommandTest, MissingAndShortFilesFailButTheOthersAreStillReported) {
    PxsWriter good({2});
    good.Move(1, 1);
    good.End();
    const std::string goodPath = Write("good.pxs", good);
    const std::string shortPath = Write("short.pxs", PxsWriter(std::vector<std::int32_t>{}));
    std::filesystem::resize_file(shortPath, 100);
    const std::string missing =
        (std::filesystem::temp_directory_path() / "vireluna_info_missing.pxs").string();

    const ToolRun run = RunInfo("--json " + missing + " " + shortPath + " " + goodPath);
    EXPECT_EQ(run.status, 1);
    const Json all = Json::parse(run.out);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0]["loaded"], false);
    EXPECT_EQ(all[0]["error"], "cannot be opened");
    EXPECT_EQ(all[1]["loaded"], false);
    EXPECT_EQ(all[1]["error"], "ends inside its header or colour list");
    EXPECT_EQ(all[2]["loaded"], true);
    EXPECT_EQ(all[2]["records"]["stitches"], 1);
}

TEST_F(InfoCommandTest, PrintsTheThreadPalette) {
    const ToolRun run = RunInfo("--palette --json");
    ASSERT_EQ(run.status, 0);
    const Json rows = Json::parse(run.out);
    ASSERT_EQ(rows.size(), 83u);
    EXPECT_EQ(rows[6]["thread"], 12);
    EXPECT_EQ(rows[6]["colour"], "0x02842F0B");
    EXPECT_EQ(rows[82]["name"], "GRAY5");

    const ToolRun text = RunInfo("--palette");
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Salmon pnk"), std::string::npos);
}

TEST_F(InfoCommandTest, AsksForAFile) {
    EXPECT_NE(RunInfo("").status, 0);
}

}  // namespace
