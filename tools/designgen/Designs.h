#pragma once

#include <span>

#include "tools/designgen/StitchPlan.h"

namespace vireluna::designgen {

StitchPlan MakeLogo();
StitchPlan MakeBlossom();
StitchPlan MakeKoi();
StitchPlan MakeMandala();

struct NamedDesign {
    const char* fileName;
    StitchPlan (*make)();
};

// Every sample design, in the order the generator writes them.
std::span<const NamedDesign> AllDesigns();

}  // namespace vireluna::designgen
