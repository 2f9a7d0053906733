// `vireluna check`: the design list page's test of a playlist, for people on any system.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "core/config/DesignListCheck.h"
#include "core/design/DesignLimits.h"
#include "core/settings/SaverSettings.h"
#include "systems/posix/PosixFileSystem.h"
#include "tools/vireluna/Commands.h"

namespace vireluna::cli {
namespace {

constexpr int ExitRefused = 1;

int RunCheck(const std::vector<std::string>& paths) {
    PosixFileSystem files;
    DesignFileHeaderProbe probe(files);
    const DesignListVerdict verdict = CheckDesignList(paths, probe);
    if (verdict.accepted) return 0;
    // The page's message as it stands, ended by one line break.
    std::cout << verdict.message;
    if (verdict.message.back() != '\n') std::cout << '\n';
    return ExitRefused;
}

}  // namespace

void AddCheckCommand(CLI::App& app, int& exitStatus) {
    CLI::App* check = app.add_subcommand(
        "check",
        "Test a playlist as the design list page does: 1 to " + std::to_string(MaxPlaylistEntries) +
            " files, each one readable, within " + std::to_string(MaxDesignColours) +
            " colours and " + std::to_string(MaxStitchRecords) +
            " stitches. Prints the page's message and exits 1 when it refuses the list, else "
            "prints nothing and exits 0");
    auto paths = std::make_shared<std::vector<std::string>>();
    check->add_option("files", *paths, "Design files, in the order of the list");
    check->callback([paths, &exitStatus] { exitStatus = RunCheck(*paths); });
}

}  // namespace vireluna::cli
