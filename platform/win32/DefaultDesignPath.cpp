#include "shell/SaverSettings.h"

namespace vireluna {

std::string DefaultDesignPath() {
    return "C:\\Program Files\\Tessoran\\Saver2\\Designs\\logo.pxs";
}

}  // namespace vireluna
