#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/config/DesignListCheck.h"
#include "tests/core/ConfigFakes.h"
#include "tests/core/SystemFiles.h"
#include "tools/formats/DesignPlan.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vireluna {
namespace {

using testing::FakeHeaderProbe;
using namespace std::string_literals;

const std::string ColourHeading =
    "Could not process the file because it contains too many color changes. (Maximum 72)\n";
const std::string StitchHeading =
    "Could not read the file because it contains too many stitches. (maximum 64,000 stitches)\n";

TEST(CheckDesignList, LimitsThemselvesAndNegativeCountsPass) {
    FakeHeaderProbe probe;
    probe.Add("a", 72, 64000);
    probe.Add("b", -1, -64001);
    EXPECT_TRUE(CheckDesignList({"a", "b"}, probe).accepted);
}

TEST(CheckDesignList, LengthIsTestedBeforeAnyFileIsOpened) {
    FakeHeaderProbe probe;
    const DesignListVerdict empty = CheckDesignList({}, probe);
    EXPECT_FALSE(empty.accepted);
    EXPECT_EQ(empty.message, "No files were in the list.");

    const std::vector<std::string> twentyOne(21, "missing");
    const DesignListVerdict tooMany = CheckDesignList(twentyOne, probe);
    EXPECT_EQ(tooMany.message,
              "Too many files in the list, reduce number of file. (maximum 20 files).");
    EXPECT_TRUE(probe.opened.empty());
}

TEST(CheckDesignList, FirstUnopenableFileWinsOverEarlierFindings) {
    FakeHeaderProbe probe;
    probe.Add("1", 73, 0);
    probe.Add("2", 1, 1);
    const DesignListVerdict verdict = CheckDesignList({"1", "2", "3", "4"}, probe);
    EXPECT_EQ(verdict.message, "File not found.\n\n3");
    EXPECT_EQ(probe.opened, (std::vector<std::string>{"1", "2", "3"}));
}

TEST(CheckDesignList, ColourFailuresHideStitchFailuresAndAllAreNamed) {
    FakeHeaderProbe probe;
    probe.Add("stitches", 10, 64001);
    probe.Add("colours", 73, 10);
    probe.Add("both", 100, 100000);
    EXPECT_EQ(CheckDesignList({"stitches", "colours", "both"}, probe).message,
              ColourHeading + "colours\nboth\n");
    EXPECT_EQ(CheckDesignList({"stitches", "stitches"}, probe).message,
              StitchHeading + "stitches\nstitches\n");
}

// Counted as the saver's platform counts it: here in UTF-16 units, 259 at most.
TEST(CheckDesignList, PathBeyondTheLimitIsRefusedByNameAndNotOpened) {
    std::string folder = "C:\\";
    for (int i = 0; i < 250; ++i) folder += "\xE5\x88\xBA";  // one unit, three bytes each
    folder += "\\";
    const std::string longest = folder + "a.pxs";
    const std::string oneMore = folder + "ab.pxs";
    FakeHeaderProbe probe;
    probe.Add(longest, 1, 1);
    probe.Add(oneMore, 1, 1);
    EXPECT_TRUE(CheckDesignList({longest}, probe).accepted);
    EXPECT_EQ(CheckDesignList({longest, oneMore, "missing"}, probe).message,
              "Could not read the file because its path is too long. (maximum 259 "
              "characters)\n\n" +
                  oneMore);
    EXPECT_EQ(probe.opened, (std::vector<std::string>{longest, longest}));
}

TEST(CheckDesignList, ShortFileIsRefusedAtOnceByName) {
    FakeHeaderProbe probe;
    probe.Add("big", 80, 0);
    probe.files["short"] = {DesignFileCounts::Outcome::TooShort, 0, 0};
    EXPECT_EQ(CheckDesignList({"big", "short", "missing"}, probe).message,
              std::string(FileTooShortMessage) + "short");
}

// The real probe over files on disk.
class DesignFileHeaderProbeTest : public ::testing::Test {
  protected:
    fakes::SystemFileSystem files;
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
        std::ofstream(path, std::ios::binary) << bytes;
        written_.push_back(path);
        return path.string();
    }
    ~DesignFileHeaderProbeTest() override {
        for (const auto& path : written_) std::filesystem::remove(path);
    }
    std::vector<std::filesystem::path> written_;
};

std::string Header(std::string colourWord, std::string stitchWord) {
    return std::string(24, 'x') + colourWord + stitchWord;
}

TEST_F(DesignFileHeaderProbeTest, ReadsBothSignedLittleEndianWords) {
    DesignFileHeaderProbe probe(files);
    const DesignFileCounts counts = probe.Probe(
        Write("vireluna_probe_counts.pxs", Header("\x48\0\0\0"s, "\x01\xFA\0\0"s) + "tail"));
    EXPECT_EQ(counts.outcome, DesignFileCounts::Outcome::Read);
    EXPECT_EQ(counts.colourCount, 72);
    EXPECT_EQ(counts.stitchCount, 64001);
    EXPECT_EQ(probe.Probe(Write("vireluna_probe_negative.pxs", Header("\xFF\xFF\xFF\xFF"s, "abcd")))
                  .colourCount,
              -1);
}

TEST_F(DesignFileHeaderProbeTest, ShortMissingAndFolderAreTold) {
    DesignFileHeaderProbe probe(files);
    EXPECT_EQ(probe.Probe(Write("vireluna_probe_short.pxs", std::string(31, '\0'))).outcome,
              DesignFileCounts::Outcome::TooShort);
    EXPECT_EQ(probe.Probe(Write("vireluna_probe_exact.pxs", std::string(32, '\0'))).outcome,
              DesignFileCounts::Outcome::Read);
    EXPECT_EQ(probe.Probe((std::filesystem::temp_directory_path() / "vireluna_none.pxs").string())
                  .outcome,
              DesignFileCounts::Outcome::NotFound);
    EXPECT_EQ(probe.Probe(std::filesystem::temp_directory_path().string()).outcome,
              DesignFileCounts::Outcome::NotFound);
}

// Another format is counted from its content, with the page's own messages.
TEST_F(DesignFileHeaderProbeTest, OtherFormatsAreCountedFromTheirContent) {
    formats::DesignPlan plan;
    for (int block = 0; block < 73; ++block) {
        formats::PlanBlock colour;
        colour.runs.push_back({{block, 0}, {block, 1}, {block, 2}});
        plan.blocks.push_back(colour);
    }
    const formats::Bytes manyColours = formats::WriteExp(plan);
    plan.blocks.resize(2);
    const formats::Bytes twoColours = formats::WriteDst(plan);
    const auto text = [](const formats::Bytes& bytes) {
        return std::string(bytes.begin(), bytes.end());
    };
    DesignFileHeaderProbe probe(files);
    const std::string dst = Write("vireluna_probe_two.dst", text(twoColours));
    const DesignFileCounts counts = probe.Probe(dst);
    EXPECT_EQ(counts.outcome, DesignFileCounts::Outcome::Read);
    EXPECT_EQ(counts.colourCount, 2);
    EXPECT_EQ(counts.stitchCount, 6 + 2 + 1 + 1);  // stitches, a trim's two jumps, change, end
    EXPECT_TRUE(CheckDesignList({dst}, probe).accepted);

    const std::string exp = Write("vireluna_probe_many.EXP", text(manyColours));
    EXPECT_EQ(CheckDesignList({dst, exp}, probe).message, ColourHeading + exp + "\n");

    // Bytes of the saver's own format under a name that asks for a signature.
    const std::string pes = Write("vireluna_probe_not.pes", std::string(64, '\0'));
    EXPECT_EQ(CheckDesignList({dst, pes}, probe).message, FileUnreadableMessage() + pes);
}

#ifdef _WIN32
TEST_F(DesignFileHeaderProbeTest, FileHeldOpenByAnotherHandleIsNotFound) {
    const std::string path = Write("vireluna_probe_held.pxs", std::string(32, '\0'));
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    DesignFileHeaderProbe probe(files);
    EXPECT_EQ(probe.Probe(path).outcome, DesignFileCounts::Outcome::NotFound);
    CloseHandle(held);
    EXPECT_EQ(probe.Probe(path).outcome, DesignFileCounts::Outcome::Read);
}
#endif

}  // namespace
}  // namespace vireluna
