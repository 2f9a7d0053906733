#include "tools/designgen/Designs.h"

namespace vireluna::designgen {
namespace {

constexpr NamedDesign Catalogue[] = {
    {"logo.pxs", MakeLogo},
    {"blossom.pxs", MakeBlossom},
    {"koi.pxs", MakeKoi},
    {"mandala.pxs", MakeMandala},
};

}  // namespace

std::span<const NamedDesign> AllDesigns() {
    return Catalogue;
}

}  // namespace vireluna::designgen
