// Writes the designs the Windows end-to-end tests play: `pens` shows pen widths and every slope,
// `dot` is the smallest design worth playing, finished in one tick.
#include <cmath>
#include <iostream>
#include <numbers>
#include <string>

#include "tools/pxs/PxsWriter.h"

namespace {

constexpr int RedThread = 10;
constexpr int BlueThread = 12;
constexpr int EmeraldThread = 48;
constexpr int RuleLength = 240;  // file units of the level and upright rules
constexpr int RuleStitch = 40;   // one stitch of a rule
constexpr int RayLength = 110;   // file units of a ray of the fan
constexpr int RayCount = 48;     // rays over the full turn: every slope class shows up
constexpr int FanCentreX = 380;
constexpr int FanCentreY = 120;

vireluna::pxs::PxsWriter Pens() {
    vireluna::pxs::PxsWriter writer({RedThread, BlueThread, EmeraldThread});
    // A level rule, then an upright one: their thickness is the pen width.
    for (int x = RuleStitch; x <= RuleLength; x += RuleStitch) writer.StitchTo(x, 0);
    writer.ColourChange();
    writer.JumpTo(RuleLength + 60, 0);
    for (int y = RuleStitch; y <= RuleLength; y += RuleStitch) writer.StitchTo(RuleLength + 60, y);
    writer.ColourChange();
    // A fan: out along each ray and back, so both directions of every slope are drawn.
    writer.JumpTo(FanCentreX, FanCentreY);
    for (int ray = 0; ray < RayCount; ++ray) {
        const double angle = 2 * std::numbers::pi * ray / RayCount;
        writer.StitchTo(FanCentreX + static_cast<int>(std::lround(RayLength * std::cos(angle))),
                        FanCentreY + static_cast<int>(std::lround(RayLength * std::sin(angle))));
        writer.StitchTo(FanCentreX, FanCentreY);
    }
    writer.End();
    return writer;
}

vireluna::pxs::PxsWriter Dot() {
    vireluna::pxs::PxsWriter writer({RedThread, BlueThread});
    writer.StitchTo(6, 0);
    writer.StitchTo(6, 6);
    writer.ColourChange();
    writer.StitchTo(0, 6);
    writer.End();
    return writer;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: vireluna-e2e-designs FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    if (!Pens().WriteFile(folder + "/pens.pxs") || !Dot().WriteFile(folder + "/dot.pxs")) {
        std::cerr << "vireluna-e2e-designs: cannot write into " << folder << '\n';
        return 1;
    }
    return 0;
}
