#include "tools/vireluna/LoadRefusalText.h"

#include "core/design/DesignFileLoader.h"

namespace vireluna::cli {

std::string NotADesignFormatText() {
    return "not a design format this program reads (" + ReadableFormatNames() + ")";
}

std::string DamagedDesignText() {
    return "cannot be read: damaged, or not a whole design of the format its name or content "
           "asks for";
}

}  // namespace vireluna::cli
