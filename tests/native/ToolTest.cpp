#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// The command-line tool answers --help for itself and every subcommand.
TEST(VirelunaTool, HelpForEverySubcommand) {
    for (const std::string sub : {"", " info", " settings", " render", " check"}) {
        const std::string command = std::string(VIRELUNA_TOOL_PATH) + sub + " --help >/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
}

}  // namespace
