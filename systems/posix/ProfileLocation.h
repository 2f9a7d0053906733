#pragma once

#include <string>

namespace vireluna {

// Where the per-user profile lives: $XDG_CONFIG_HOME/TessoranVireluna/VirelunaLogo.ini,
// or under ~/.config when that variable is unset or not an absolute path.
// Empty when no home folder can be found.
std::string DefaultProfilePath();

}  // namespace vireluna
