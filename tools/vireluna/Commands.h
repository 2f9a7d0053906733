#pragma once

#include <CLI/CLI.hpp>

namespace vireluna::cli {

// Each adds one subcommand to the tool; its callback stores the process exit status.
void AddInfoCommand(CLI::App& app, int& exitStatus);
void AddSettingsCommand(CLI::App& app, int& exitStatus);
void AddRenderCommand(CLI::App& app, int& exitStatus);
void AddCheckCommand(CLI::App& app, int& exitStatus);

}  // namespace vireluna::cli
