#include "core/design/Design.h"

namespace vireluna {

StitchArray AllocateStitchArray() {
    return StitchArray(new StitchRecord[MaxStitchRecords]);
}

}  // namespace vireluna
