// Converts a design of the saver's own format into the other formats, for the README's
// examples: formats-sample IN.pxs OUT_STEM writes OUT_STEM.dst, .exp, .pes, .vp3, .hus, .vip,
// .xxx and .pcs.
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/design/formats/HusColours.h"
#include "core/design/formats/PecColours.h"
#include "core/design/formats/PxsReader.h"
#include "systems/posix/PosixInputFile.h"
#include "tools/formats/DesignPlan.h"

namespace {

using namespace vireluna;

std::uint8_t Red(ColourValue colour) {
    return static_cast<std::uint8_t>(colour & 0xFF);
}
std::uint8_t Green(ColourValue colour) {
    return static_cast<std::uint8_t>(colour >> 8 & 0xFF);
}
std::uint8_t Blue(ColourValue colour) {
    return static_cast<std::uint8_t>(colour >> 16 & 0xFF);
}

// The index of the palette entry nearest to a colour, from `first` up to `count`.
std::uint8_t NearestIndex(ColourValue colour, int first, int count,
                          ColourValue (*entry)(std::uint8_t)) {
    std::uint8_t best = static_cast<std::uint8_t>(first);
    long bestDistance = std::numeric_limits<long>::max();
    for (int index = first; index < count; ++index) {
        const ColourValue pec = entry(static_cast<std::uint8_t>(index));
        const long dr = Red(pec) - Red(colour);
        const long dg = Green(pec) - Green(colour);
        const long db = Blue(pec) - Blue(colour);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<std::uint8_t>(index);
        }
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: formats-sample IN.pxs OUT_STEM\n");
        return 2;
    }
    Design design;
    design.records = AllocateStitchArray();
    PosixInputFile file;
    DesignFileDetails details;
    if (!LoadDesign(file, argv[1], 100, design, &details)) {
        std::fprintf(stderr, "formats-sample: %s cannot be read\n", argv[1]);
        return 1;
    }
    formats::DesignPlan plan;
    const auto newBlock = [&] {
        const auto index = static_cast<std::int32_t>(plan.blocks.size());
        formats::PlanBlock block;
        if (index < design.colourCount) {
            const ColourValue colour = design.colours[index];
            block.thread = details.threadNumbers[index];
            block.pecIndex = NearestIndex(colour, 1, PecColourCount, PecColour);
            block.husIndex = NearestIndex(colour, 0, HusPaletteSize, HusColour);
            block.red = Red(colour);
            block.green = Green(colour);
            block.blue = Blue(colour);
        }
        plan.blocks.push_back(block);
    };
    newBlock();
    bool inRun = false;
    for (std::int32_t i = 0; i < design.recordCount; ++i) {
        const StitchRecord& record = design.records[i];
        if (record.kind == StitchKind::ColourChange) newBlock();
        if (record.kind != StitchKind::Stitch) {
            inRun = false;
            continue;
        }
        if (!inRun) plan.blocks.back().runs.emplace_back();
        inRun = true;
        formats::PlanRun& run = plan.blocks.back().runs.back();
        const formats::PlanPoint point{record.x, -record.y};
        // A step longer than every format's stitch travels to its end instead.
        if (!run.empty() && (std::abs(point.x - run.back().x) > formats::MaxPlanStep ||
                             std::abs(point.y - run.back().y) > formats::MaxPlanStep)) {
            plan.blocks.back().runs.emplace_back();
        }
        plan.blocks.back().runs.back().push_back(point);
    }
    const std::string stem = argv[2];
    const bool written = formats::WriteBytes(formats::WriteDst(plan), (stem + ".dst").c_str()) &&
                         formats::WriteBytes(formats::WriteExp(plan), (stem + ".exp").c_str()) &&
                         formats::WriteBytes(formats::WritePes(plan), (stem + ".pes").c_str()) &&
                         formats::WriteBytes(formats::WriteVp3(plan), (stem + ".vp3").c_str()) &&
                         formats::WriteBytes(formats::WriteHus(plan), (stem + ".hus").c_str()) &&
                         formats::WriteBytes(formats::WriteVip(plan), (stem + ".vip").c_str()) &&
                         formats::WriteBytes(formats::WriteXxx(plan), (stem + ".xxx").c_str()) &&
                         formats::WriteBytes(formats::WritePcs(plan), (stem + ".pcs").c_str());
    return written ? 0 : 1;
}
