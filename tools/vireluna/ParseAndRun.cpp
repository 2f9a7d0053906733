#include "tools/vireluna/ParseAndRun.h"

#include <algorithm>
#include <iostream>
#include <string>

namespace vireluna::cli {
namespace {

// "vireluna" or "vireluna render": the deepest subcommand the parser had reached.
std::string CommandPath(const CLI::App& app) {
    std::string path = app.get_name();
    const CLI::App* current = &app;
    while (!current->get_subcommands().empty()) {
        current = current->get_subcommands().back();
        path += " " + current->get_name();
    }
    return path;
}

// The parser's own text, on one line.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The parser reports an unknown subcommand only as a missing one; name it instead.
std::string UnknownSubcommandText(CLI::App& app, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-' || !app.get_subcommands().empty()) return {};
    std::string known;
    for (const CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
        known += (known.empty() ? "" : ", ") + sub->get_name();
    }
    return "unknown subcommand '" + std::string(argv[1]) + "'; the subcommands are " + known;
}

}  // namespace

int ParseAndRun(CLI::App& app, int argc, char** argv, const int& exitStatus) {
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& request) {
        return app.exit(request);  // --help: the help text, status 0
    } catch (const CLI::ParseError& error) {
        const std::string command = CommandPath(app);
        std::string text = UnknownSubcommandText(app, argc, argv);
        if (text.empty()) text = OneLine(error.what());
        PrintUsageError(command, text);
        return ExitUsage;
    }
    return exitStatus;
}

void PrintUsageError(std::string_view command, std::string_view text) {
    std::cerr << command << ": " << text << " (see '" << command << " --help')\n";
}

}  // namespace vireluna::cli
