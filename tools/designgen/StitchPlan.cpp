#include "tools/designgen/StitchPlan.h"

#include <cmath>

namespace vireluna::designgen {
namespace {

struct GridPoint {
    int x = 0;
    int y = 0;
    bool operator==(const GridPoint&) const = default;
};

GridPoint Rounded(Point p, GridPoint origin) {
    return {static_cast<int>(std::lround(p.x)) - origin.x,
            static_cast<int>(std::lround(p.y)) - origin.y};
}

GridPoint FirstPoint(const StitchPlan& plan) {
    for (const ColourBlock& block : plan.Blocks()) {
        for (const Polyline& run : block.runs) {
            if (!run.empty()) return Rounded(run.front(), {});
        }
    }
    return {};
}

// Lays down one run; a run that does not continue the last stitch starts with a
// jump and a stitch in place, so that its first point is drawn from.
class RunWriter {
  public:
    RunWriter(pxs::PxsWriter& writer, GridPoint origin) : writer_(writer), origin_(origin) {}

    void ColourChange() {
        writer_.ColourChange();
        onStitch_ = false;
    }

    void Run(const Polyline& run) {
        if (run.size() < 2) return;
        const GridPoint start = Rounded(run.front(), origin_);
        if (!onStitch_ || !(Here() == start)) {
            if (!(Here() == start)) writer_.JumpTo(start.x, start.y);
            writer_.StitchTo(start.x, start.y);
            onStitch_ = true;
        }
        for (std::size_t i = 1; i < run.size(); ++i) {
            const GridPoint next = Rounded(run[i], origin_);
            if (next == Here()) continue;
            writer_.StitchTo(next.x, next.y);
        }
    }

  private:
    GridPoint Here() const { return {writer_.CurrentX(), writer_.CurrentY()}; }

    pxs::PxsWriter& writer_;
    GridPoint origin_;
    bool onStitch_ = false;
};

}  // namespace

void StitchPlan::UseThread(std::int32_t thread) {
    if (!blocks_.empty() && blocks_.back().runs.empty()) {
        blocks_.back().thread = thread;
        return;
    }
    blocks_.push_back({thread, {}});
}

void StitchPlan::AddRun(Polyline run) {
    if (run.size() < 2) return;
    if (blocks_.empty()) blocks_.push_back({});
    blocks_.back().runs.push_back(std::move(run));
}

void StitchPlan::AddRuns(const std::vector<Polyline>& runs) {
    for (const Polyline& run : runs) AddRun(run);
}

std::vector<std::int32_t> ThreadList(const StitchPlan& plan) {
    std::vector<std::int32_t> threads;
    for (const ColourBlock& block : plan.Blocks()) {
        if (!block.runs.empty()) threads.push_back(block.thread);
    }
    return threads;
}

pxs::PxsWriter WritePlan(const StitchPlan& plan) {
    pxs::PxsWriter writer(ThreadList(plan));
    RunWriter runs(writer, FirstPoint(plan));
    bool firstBlock = true;
    for (const ColourBlock& block : plan.Blocks()) {
        if (block.runs.empty()) continue;
        if (!firstBlock) runs.ColourChange();
        firstBlock = false;
        for (const Polyline& run : block.runs) runs.Run(run);
    }
    writer.End();
    return writer;
}

std::int32_t StreamPairCount(const pxs::PxsWriter& writer) {
    const std::vector<std::uint8_t> bytes = writer.Build();
    std::uint32_t streamOffset = 0;
    for (int i = 3; i >= 0; --i) streamOffset = streamOffset << 8 | bytes[i];
    std::int32_t pairs = 0;
    for (std::size_t at = streamOffset; at + 1 < bytes.size(); at += 2) {
        ++pairs;
        if (bytes[at] == pxs::ControlByte && bytes[at + 1] == pxs::EndCode) break;
    }
    return pairs;
}

}  // namespace vireluna::designgen
