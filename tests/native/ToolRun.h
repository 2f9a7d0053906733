#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/native/ProfileTestFolder.h"

namespace vireluna::testing {

// The exit status of a finished shell command, -1 when it did not exit normally.
inline int ExitStatus(int rawWaitStatus) {
    return WIFEXITED(rawWaitStatus) ? WEXITSTATUS(rawWaitStatus) : -1;
}

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line and keeps its standard output and exit status.
inline ToolRun RunCapturingOutput(const std::string& command) {
    ToolRun run;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
        run.out.append(chunk, got);
    }
    run.status = ExitStatus(::pclose(pipe));
    return run;
}

// Runs the vireluna tool with the arguments and keeps its status and both streams, which pass
// through files in folder.
inline ToolRun RunTool(const std::string& arguments, const std::string& folder) {
    const std::string out = folder + "/tool-out.txt";
    const std::string err = folder + "/tool-err.txt";
    const std::string command = std::string("'") + VIRELUNA_TOOL_PATH + "' " + arguments + " >'" +
                                out + "' 2>'" + err + "'";
    ToolRun run{ExitStatus(std::system(command.c_str())), ReadFile(out), ReadFile(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

}  // namespace vireluna::testing
