#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/native/ProfileTestFolder.h"
#include "tests/native/ToolRun.h"
#include "tools/formats/DesignPlan.h"
#include "tools/pxs/PxsWriter.h"

namespace {

using Json = nlohmann::ordered_json;
using vireluna::pxs::PxsWriter;

constexpr int Int32Max = 2147483647;
constexpr int Int32Min = -2147483647 - 1;

using vireluna::testing::ToolRun;

Json StartingExtents() {
    return {{"minX", Int32Max}, {"maxY", Int32Min}, {"maxX", Int32Min}, {"minY", Int32Max}};
}

// Each test keeps its files in a folder of its own, removed after it.
class InfoCommandTest : public ::testing::Test {
  protected:
    std::string TempPath(const std::string& name) const { return folder_.Path() + "/" + name; }

    ToolRun RunInfo(const std::string& arguments) const {
        return vireluna::testing::RunTool("info " + arguments, folder_.Path());
    }

    std::string Write(const std::string& name, const PxsWriter& writer) {
        const std::string path = TempPath(name);
        EXPECT_TRUE(writer.WriteFile(path));
        return path;
    }

    // The writer's file cut to its first size bytes.
    std::string WriteCut(const std::string& name, const PxsWriter& writer, std::size_t size) {
        const std::string path = Write(name, writer);
        std::filesystem::resize_file(path, size);
        return path;
    }

  private:
    vireluna::testing::TempFolder folder_;
};

// Thread 12 is blue 0x02842F0B, 10 red, 80 not in the palette (black). In file units, y up:
// a leading jump, then (7, -7), (-7, 7), a colour change there, a jump to (13, 10), a stitch
// at (15, 12), control code 255 at (16, 13) and a stitch at (20, 17).
PxsWriter MixedDesign() {
    PxsWriter writer({12, 10, 80});
    writer.Control(vireluna::pxs::JumpCode, 30, 40);
    writer.Move(7, -7);
    writer.Move(-14, 14);
    writer.ColourChange();
    writer.Control(vireluna::pxs::JumpCode, 20, 3);
    writer.Move(2, 2);
    writer.Control(0xFF, 1, 1);
    writer.Move(4, 4);
    writer.End();
    return writer;
}

Json MixedDesignJson(const Json& extents, const Json& records) {
    Json expected = {{"colourCount", 3},
                     {"threads", {12, 10, 80}},
                     {"colours", {"0x02842F0B", "0x020000FF", "0x02000000"}},
                     {"recordCount", 7},
                     {"extents", extents}};
    if (!records.is_null()) expected["records"] = records;
    return expected;
}

TEST_F(InfoCommandTest, JsonHoldsExactlyTheLoadedValuesAtTheReductionAskedForOr80) {
    const std::string path = Write("mixed.pxs", MixedDesign());
    const auto expectJson = [&](const std::string& options, const Json& extents,
                                const Json& records) {
        const ToolRun withRecords = RunInfo(options + " --records " + path);
        ASSERT_EQ(withRecords.status, 0) << withRecords.err;
        EXPECT_EQ(Json::parse(withRecords.out), MixedDesignJson(extents, records)) << options;
        const ToolRun plain = RunInfo(options + " " + path);
        ASSERT_EQ(plain.status, 0) << plain.err;
        EXPECT_EQ(Json::parse(plain.out), MixedDesignJson(extents, nullptr)) << options;
    };
    // The leading jump leaves nothing. Stitches flip y, then every point up to code 255 is
    // scaled, truncated toward zero: at 80, 7 -> 5, -7 -> -5, 13 -> 10, 15 -> 12, -12 -> -9.
    // Code 255 and what follows it keep their file values.
    const Json at80 = {{0, 5, 5},   {0, -5, -5},   {1, -5, 5}, {2, 10, 8},
                       {0, 12, -9}, {255, 16, 13}, {0, 20, 17}};
    expectJson("--json", {{"minX", -5}, {"maxY", 5}, {"maxX", 12}, {"minY", -9}}, at80);
    const Json at100 = {{0, 7, 7},    {0, -7, -7},   {1, -7, 7}, {2, 13, 10},
                        {0, 15, -12}, {255, 16, 13}, {0, 20, 17}};
    expectJson("--json --reduction 100", {{"minX", -7}, {"maxY", 7}, {"maxX", 15}, {"minY", -12}},
               at100);
}

TEST_F(InfoCommandTest, JsonGivesTheStoredColourCountAndOnlyTheEntriesRead) {
    std::vector<std::int32_t> threads(75, 2);
    threads[0] = 12;
    threads[71] = 10;
    PxsWriter many(threads);
    many.End();
    Json expectedThreads(std::vector<std::int32_t>(threads.begin(), threads.begin() + 72));
    std::vector<std::string> colours(72, "0x02FFFFFF");
    colours[0] = "0x02842F0B";
    colours[71] = "0x020000FF";
    const ToolRun run = RunInfo("--json --records " + Write("many.pxs", many));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Json::parse(run.out), (Json{{"colourCount", 75},
                                          {"threads", expectedThreads},
                                          {"colours", colours},
                                          {"recordCount", 0},
                                          {"extents", StartingExtents()},
                                          {"records", Json::array()}}));

    PxsWriter negative(std::vector<std::int32_t>{});
    negative.SetDeclaredColourCount(-3);
    negative.End();
    const ToolRun none = RunInfo("--json " + Write("negative.pxs", negative));
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(Json::parse(none.out), (Json{{"colourCount", -3},
                                           {"threads", Json::array()},
                                           {"colours", Json::array()},
                                           {"recordCount", 0},
                                           {"extents", StartingExtents()}}));
}

// What a cut file keeps is the reader's (its tests cut a file at every length); here the report
// of one cut inside the header, after its colour count: the count as stored, nothing read.
TEST_F(InfoCommandTest, FileThatEndsEarlyReportsWhatCameBeforeTheEnd) {
    const ToolRun header = RunInfo("--json " + WriteCut("header.pxs", MixedDesign(), 100));
    ASSERT_EQ(header.status, 0) << header.err;
    EXPECT_EQ(Json::parse(header.out), (Json{{"colourCount", 3},
                                             {"threads", Json::array()},
                                             {"colours", Json::array()},
                                             {"recordCount", 0},
                                             {"extents", StartingExtents()}}));

    const ToolRun text = RunInfo(TempPath("header.pxs"));
    ASSERT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("ends inside its header or colour list"), std::string::npos)
        << text.out;
}

TEST_F(InfoCommandTest, FilesThatCannotBeOpenedAreNamedAndTheOthersReported) {
    const std::string missing = TempPath("missing.pxs");
    const ToolRun gone = RunInfo("--json " + missing);
    EXPECT_EQ(gone.status, 1);
    EXPECT_TRUE(gone.out.empty()) << gone.out;
    EXPECT_NE(gone.err.find(missing + ": cannot be opened"), std::string::npos) << gone.err;

    // As text, the files that open are still reported.
    const std::string path = Write("mixed.pxs", MixedDesign());
    const ToolRun text = RunInfo(missing + " " + path);
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.out.find(path), std::string::npos);
    EXPECT_EQ(text.out.find(missing), std::string::npos);
}

TEST_F(InfoCommandTest, FolderIsAReadErrorNotAnEmptyDesign) {
    const std::string folder = TempPath("folder.pxs");
    std::filesystem::create_directories(folder);
    for (const std::string options : {"", "--json "}) {
        const ToolRun run = RunInfo(options + folder);
        EXPECT_EQ(run.status, 1) << options;
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_NE(run.err.find(folder + ": cannot be read"), std::string::npos) << run.err;
    }
    std::filesystem::remove(folder);
}

// A FIFO with no writer used to block the tool in open() for good.
TEST_F(InfoCommandTest, FifoIsRefusedAtOnceByInfoAndRender) {
    const std::string fifo = TempPath("pipe.pxs");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::string> commands = {"info",
                                               "render --ticks 5 -o " + TempPath("out.png")};
    for (const std::string& command : commands) {
        // timeout ends a blocked tool with 124, so a fault fails here instead of hanging.
        const ToolRun run =
            vireluna::testing::RunCapturingOutput("timeout 20 '" + std::string(VIRELUNA_TOOL_PATH) +
                                                  "' " + command + " '" + fifo + "' 2>&1");
        EXPECT_EQ(run.status, 1) << command << ": " << run.out;
        EXPECT_NE(run.out.find(fifo), std::string::npos) << run.out;
    }
}

TEST_F(InfoCommandTest, TextReportsWarningsAndExtentsAtTheDefaultReduction) {
    PxsWriter writer(std::vector<std::int32_t>(73, 10));
    writer.SetDeclaredStitchCount(70000);
    writer.Move(5, 5);
    writer.Control(0xFF, 1, 1);
    writer.Move(5, 5);
    PxsWriter blocks({10});
    blocks.Move(1, 1);
    blocks.ColourChange();
    blocks.ColourChange();
    blocks.End();

    const ToolRun run = RunInfo(Write("warnings.pxs", writer) + " " + Write("blocks.pxs", blocks) +
                                " " + Write("mixed.pxs", MixedDesign()));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("more than 72 colours"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("more than 64000 stitches declared"), std::string::npos);
    EXPECT_NE(run.out.find("control code 255 at record 1"), std::string::npos);
    EXPECT_NE(run.out.find("no end code"), std::string::npos);
    EXPECT_NE(run.out.find("3 colour blocks, colour list of 1: 2 blocks are drawn in the last "
                           "colour of the list"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("x 4 to 4, y -4 to -4 (1 x 1 at 80%)"), std::string::npos);
    EXPECT_NE(run.out.find("x -5 to 12, y -9 to 5 (18 x 15 at 80%)"), std::string::npos);

    const ToolRun listed = RunInfo("--records -r 100 " + TempPath("mixed.pxs"));
    ASSERT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("3  jump                   13          10\n"), std::string::npos)
        << listed.out;
    EXPECT_NE(listed.out.find("5  code 255               16          13\n"), std::string::npos);
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

// Another format is named, counted from its content, and loads to the records of our own.
TEST_F(InfoCommandTest, NamesAnotherFormatAndReadsItLikeOurOwn) {
    namespace formats = vireluna::formats;
    formats::DesignPlan plan;
    formats::PlanBlock block{12, 5, 1, 2, 3, {}};
    block.runs.push_back({{0, 0}, {20, 5}, {40, -5}});
    block.runs.push_back({{400, 300}, {410, 310}});
    plan.blocks = {block, block};
    const std::string pes = TempPath("design.pes");
    const std::string own = TempPath("design.pxs");
    ASSERT_TRUE(formats::WriteBytes(formats::WritePes(plan), pes.c_str()));
    ASSERT_TRUE(formats::WriteBytes(formats::WritePxs(plan), own.c_str()));

    const ToolRun run = RunInfo("--json " + pes);
    ASSERT_EQ(run.status, 0) << run.err;
    const Json object = Json::parse(run.out);
    EXPECT_EQ(object.begin().key(), "format");
    EXPECT_EQ(object["format"], "PES");
    EXPECT_EQ(object["colourCount"], 2);
    EXPECT_EQ(object["colours"], (Json{"0x021F17ED", "0x021F17ED"}));  // PEC index 5
    const Json ownObject = Json::parse(RunInfo("--json " + own).out);
    EXPECT_FALSE(ownObject.contains("format"));
    EXPECT_EQ(object["extents"], ownObject["extents"]);

    const ToolRun text = RunInfo(pes);
    EXPECT_NE(text.out.find("format:   PES: 2 colour blocks"), std::string::npos) << text.out;
}

// The load stops where its records end; info still tells how many the file holds, as the
// file list counts them.
TEST_F(InfoCommandTest, TellsTheTrueRecordCountPastTheLimit) {
    for (const int stitches : {63999, 64000, 70000}) {
        std::string dst(512, ' ');
        dst.replace(0, 3, "LA:");
        for (int i = 0; i < stitches; ++i) dst += {static_cast<char>(i % 2 ? 1 : 2), 0, 3};
        const std::string path = TempPath("many.dst");
        vireluna::testing::WriteFile(path, dst);
        const ToolRun run = RunInfo(path);
        ASSERT_EQ(run.status, 0) << run.err;
        SCOPED_TRACE(stitches);
        EXPECT_NE(run.out.find(": 1 colour blocks, " + std::to_string(stitches + 1) +
                               " records with the end"),
                  std::string::npos)
            << run.out;
        EXPECT_EQ(
            run.out.find("more than 64000 records: the file list refuses it") != std::string::npos,
            stitches >= 64000);
    }
}

// What is not a design is refused by name, with the reason, by every command that reads it.
TEST_F(InfoCommandTest, WhatIsNotADesignIsRefusedByInfoCheckAndRender) {
    const std::string design = Write("plan.pxs", MixedDesign());
    const std::string text = TempPath("notes.emb");
    std::filesystem::copy_file(design, text);
    const std::string bare = TempPath("plan");
    std::filesystem::copy_file(design, bare);
    // Named for a format whose signature it lacks.
    const std::string broken = TempPath("broken.dst");
    vireluna::testing::WriteFile(broken, std::string(600, 'x'));

    EXPECT_EQ(RunInfo(bare).status, 0) << "a name without extension is our own format";
    const std::string profile = " --profile '" + TempPath("profile.ini") + "'";
    for (const std::string& command : {std::string("info "), std::string("check "),
                                       "render -o " + TempPath("x.png") + profile + " "}) {
        for (const std::string& path : {text, broken}) {
            const ToolRun run = vireluna::testing::RunTool(command + path, TempPath(""));
            SCOPED_TRACE(command + path);
            EXPECT_EQ(run.status, 1);
            const std::string said = run.out + run.err;
            EXPECT_NE(said.find(path), std::string::npos) << said;
            const std::string why =
                path == text ? "not a design format this program reads" : "damaged";
            EXPECT_NE(said.find(why), std::string::npos) << said;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(TempPath("x.png")));
}

}  // namespace
