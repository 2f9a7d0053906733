#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
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
// wrong and where the help is, nothing on the output, and status 2. The files it names need
// not exist: the command line is refused before any is opened.
TEST(VirelunaTool, UsageErrorsGiveOneLineThatSaysWhatIsWrongAndStatusTwo) {
    const vireluna::testing::TempFolder folder;
    const std::string render = "render a.pxs -o a.png ";
    std::string twentyOne = "render -o a.png";
    for (int i = 0; i < 21; ++i) twentyOne += " a.pxs";
    const struct {
        std::string arguments;
        std::string says;
    } cases[] = {
        {"", "A subcommand is required"},
        {"bogus", "unknown subcommand 'bogus'"},
        {"--bogus", "A subcommand is required"},
        {"info", "name at least one design file"},
        {"info --reduction x a.pxs", "--reduction"},
        {"info --json a.pxs b.pxs", "--json takes one design file"},
        {"settings extra", "extra"},
        {"settings --nope", "--nope"},
        {"render a.pxs", "--output is required"},
        {"render -o", "--output"},
        {twentyOne, "give 1 to 20 design files, not 21"},
        {render + "--ticks 0", "--ticks"},
        {render + "--seed -", "--seed"},
        {render + "--screen 10", "--screen wants WIDTHxHEIGHT"},
        {render + "--screen 0x768", "--screen wants WIDTHxHEIGHT"},
        {render + "--preview 1024x100", "--preview must be narrower than the screen"},
        {render + "--pen-size two", "--pen-size"},
        {render + "--look shiny", "--look wants flat or thread, not 'shiny'"},
        {render + "--other-monitors 1", "--other-monitors wants stitch or plain"},
    };
    for (const auto& [arguments, says] : cases) {
        const vireluna::testing::ToolRun run = vireluna::testing::RunTool(arguments, folder.Path());
        SCOPED_TRACE(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty()) << run.out;
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(" --help')"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists("a.png")) << "a refused render wrote its picture";
}

}  // namespace
