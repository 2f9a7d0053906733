#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/native/ProfileTestFolder.h"
#include "tests/native/ToolRun.h"

namespace vireluna {
namespace {

using testing::TempFolder;
using testing::WriteFile;

using testing::RunCapturingOutput;
using testing::ToolRun;

ToolRun RunCheck(const std::vector<std::string>& paths) {
    std::string command = std::string("'") + VIRELUNA_TOOL_PATH + "' check --";
    for (const std::string& path : paths) command += " '" + path + "'";
    return RunCapturingOutput(command + " 2>/dev/null");
}

std::string Word(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<char>(bits & 0xFF), static_cast<char>(bits >> 8 & 0xFF),
            static_cast<char>(bits >> 16 & 0xFF), static_cast<char>(bits >> 24)};
}

class CheckCommandTest : public ::testing::Test {
  protected:
    // A file whose header holds the two counts; the rest of a design is not needed.
    std::string Design(const std::string& name, std::int32_t colours, std::int32_t stitches) {
        const std::string path = folder_.Path() + "/" + name;
        WriteFile(path, std::string(24, '\0') + Word(colours) + Word(stitches));
        return path;
    }
    TempFolder folder_;
};

TEST_F(CheckCommandTest, AcceptedListPrintsNothingAndExitsZero) {
    const ToolRun run = RunCheck({Design("a.pxs", 72, 64000), Design("b", -1, -1),
                                  std::string(VIRELUNA_SOURCE_DIR) + "/resources/designs/koi.pxs"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
}

// Which message wins, and every message's text, are the list check's own tests; the command
// prints the one it is given, ended by one line break whether or not it ends in one.
TEST_F(CheckCommandTest, PrintsThePagesMessageEndedByOneLineBreakAndExitsOne) {
    const std::string stitches = Design("s.pxs", 1, 64001);
    const std::string colours = Design("c.pxs", 73, 1);
    const std::string missing = folder_.Path() + "/missing.pxs";

    const ToolRun notFound = RunCheck({colours, stitches, missing, colours});
    EXPECT_EQ(notFound.status, 1);
    EXPECT_EQ(notFound.out, "File not found.\n\n" + missing + "\n");

    const ToolRun tooManyColours = RunCheck({stitches, colours, colours});
    EXPECT_EQ(tooManyColours.status, 1);
    EXPECT_EQ(tooManyColours.out,
              "Could not process the file because it contains too many color changes. (Maximum "
              "72)\n" +
                  colours + "\n" + colours + "\n");

    // No path at all is still a list to check, not a usage error.
    const ToolRun empty = RunCheck({});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.out, "No files were in the list.\n");
}

// PATH_MAX bytes with the terminating zero: the longest path names the design, one byte
// more is refused by a message of its own, not as a missing file.
TEST_F(CheckCommandTest, PathBeyondTheSystemsLimitIsRefusedAsTooLong) {
    Design("a.pxs", 1, 1);
    const std::string name = "/a.pxs";
    std::string folder = folder_.Path();
    while (folder.size() + 2 + name.size() <= PATH_MAX - 1) folder += "/.";
    while (folder.size() + name.size() < PATH_MAX - 1) folder += "/";
    const std::string longest = folder + name;
    ASSERT_EQ(longest.size(), std::size_t{PATH_MAX - 1});
    EXPECT_EQ(RunCheck({longest}).status, 0);

    const ToolRun run = RunCheck({longest, "/" + longest});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Could not read the file because its path is too long. (maximum " +
                           std::to_string(PATH_MAX - 1) + " bytes)\n\n/" + longest + "\n");
}

TEST_F(CheckCommandTest, ShortFolderAndLockedFilesAreRefused) {
    const std::string shortFile = folder_.Path() + "/short.pxs";
    WriteFile(shortFile, std::string(31, '\0'));
    const ToolRun shortRun = RunCheck({shortFile});
    EXPECT_EQ(shortRun.status, 1);
    EXPECT_EQ(shortRun.out,
              "Could not read the file because it is too short to be a design file "
              "(less than 32 bytes).\n\n" +
                  shortFile + "\n");

    EXPECT_EQ(RunCheck({folder_.Path()}).out, "File not found.\n\n" + folder_.Path() + "\n");

    // Another program holding a lock on the file keeps the check out, as a sharing
    // violation does on Windows.
    const std::string held = Design("held.pxs", 1, 1);
    const int fd = ::open(held.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_SH), 0);
    EXPECT_EQ(RunCheck({held}).out, "File not found.\n\n" + held + "\n");
    ::close(fd);
    EXPECT_EQ(RunCheck({held}).status, 0);
}

}  // namespace
}  // namespace vireluna
