#pragma once

#include <cstdint>

#include "design/Design.h"

namespace vireluna {

// Loads the design file at utf8Path into design, scaling by reduction / 100.
// design.records must already hold MaxStitchRecords entries. False when the file cannot be
// opened (or is refused); then recordCount is 0 and the rest of design is unchanged.
bool LoadDesign(const char* utf8Path, std::int32_t reduction, Design& design);

}  // namespace vireluna
