#pragma once

#include <CLI/CLI.hpp>
#include <string_view>

namespace vireluna::cli {

// The exit status of a command line the tool cannot make sense of.
inline constexpr int ExitUsage = 2;

// Parses the command line and runs the chosen subcommand. --help prints the help and gives 0;
// a usage error (unknown subcommand, missing or malformed argument) prints one line that says
// what is wrong and where the help is, and gives ExitUsage; otherwise the subcommand's status.
int ParseAndRun(CLI::App& app, int argc, char** argv, const int& exitStatus);

// Prints a usage error as one line: "vireluna render: TEXT (see 'vireluna render --help')".
// command: the command as typed, e.g. "vireluna render".
void PrintUsageError(std::string_view command, std::string_view text);

}  // namespace vireluna::cli
