#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
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
    const std::string errPath = ::testing::TempDir() + "vireluna_usage_err.txt";
    const std::string outPath = ::testing::TempDir() + "vireluna_usage_out.txt";
    for (const std::string arguments :
         {"", "bogus", "--bogus", "info", "info --reduction x a.pxs", "info --json a.pxs b.pxs",
          "settings extra", "settings --nope", "render a.pxs", "render -o",
          "render a.pxs -o a.png --ticks 0", "render a.pxs -o a.png --seed -",
          "render a.pxs -o a.png --screen 10"}) {
        const std::string command =
            std::string(VIRELUNA_TOOL_PATH) + " " + arguments + " >" + outPath + " 2>" + errPath;
        EXPECT_EQ(vireluna::testing::ExitStatus(std::system(command.c_str())), 2) << arguments;
        std::ostringstream err;
        err << std::ifstream(errPath).rdbuf();
        std::ostringstream out;
        out << std::ifstream(outPath).rdbuf();
        const std::string text = err.str();
        EXPECT_TRUE(out.str().empty()) << arguments << ": " << out.str();
        ASSERT_FALSE(text.empty()) << arguments;
        EXPECT_EQ(text.find('\n'), text.size() - 1) << arguments << ": " << text;
        EXPECT_NE(text.find(" --help')"), std::string::npos) << arguments << ": " << text;
    }
    std::remove(errPath.c_str());
    std::remove(outPath.c_str());
}

}  // namespace
