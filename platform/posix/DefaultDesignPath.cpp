#include "platform/posix/DataFolder.h"
#include "shell/SaverSettings.h"

namespace vireluna {

// The bundled logo design, as installed or in the source tree.
std::string DefaultDesignPath() {
    return FindDataFile("designs/logo.pxs");
}

}  // namespace vireluna
