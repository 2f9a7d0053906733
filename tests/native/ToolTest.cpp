#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/native/ToolRun.h"

namespace {

// The command-line tool answers --help for itself and every subcommand.
TEST(VirelunaTool, HelpForEverySubcommand) {
    for (const std::string sub : {"", " info", " settings", " render", " check"}) {
        const std::string command = std::string(VIRELUNA_TOOL_PATH) + sub + " --help >/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
}

// A command line the tool cannot use gets one line on the error stream that says what is
// wrong and where the help is, nothing on the output, and status 2.
TEST(VirelunaTool, UsageErrorsGiveOneLineAndStatusTwo) {
    const vireluna::testing::TempFolder folder;
    for (const std::string arguments :
         {"", "bogus", "--bogus", "info", "info --reduction x a.pxs", "info --json a.pxs b.pxs",
          "settings extra", "settings --nope", "render a.pxs", "render -o",
          "render a.pxs -o a.png --ticks 0", "render a.pxs -o a.png --seed -",
          "render a.pxs -o a.png --screen 10"}) {
        const vireluna::testing::ToolRun run = vireluna::testing::RunTool(arguments, folder.Path());
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments << ": " << run.out;
        ASSERT_FALSE(run.err.empty()) << arguments;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << arguments << ": " << run.err;
        EXPECT_NE(run.err.find(" --help')"), std::string::npos) << arguments << ": " << run.err;
    }
}

}  // namespace
