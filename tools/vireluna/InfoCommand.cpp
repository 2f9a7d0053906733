#include "tools/vireluna/Commands.h"

// Placeholder until the subcommand is built; the owner of this file replaces it.
namespace vireluna::cli {
void AddInfoCommand(CLI::App&, int&) {}
}  // namespace vireluna::cli
