#include "core/presentation/Background.h"

namespace vireluna {

bool OnEraseBkgnd(Surface& surface, int clientWidth, int clientHeight) {
    surface.FillRect(0, 0, clientWidth, clientHeight, BackgroundColour);
    return true;
}

}  // namespace vireluna
