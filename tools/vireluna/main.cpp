#include <CLI/CLI.hpp>

#include "tools/vireluna/Commands.h"
#include "tools/vireluna/ParseAndRun.h"

int main(int argc, char** argv) {
    CLI::App app{"vireluna: reads, checks and draws embroidery designs as the saver does",
                 "vireluna"};
    app.require_subcommand(1);
    int exitStatus = 0;
    vireluna::cli::AddInfoCommand(app, exitStatus);
    vireluna::cli::AddSettingsCommand(app, exitStatus);
    vireluna::cli::AddRenderCommand(app, exitStatus);
    vireluna::cli::AddCheckCommand(app, exitStatus);
    return vireluna::cli::ParseAndRun(app, argc, argv, exitStatus);
}
