#pragma once

#include <cstdint>
#include <vector>

#include "tools/designgen/Geometry.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna::designgen {

// One thread's share of a design: runs of needle points in sewing order.
struct ColourBlock {
    std::int32_t thread = 0;
    std::vector<Polyline> runs;
};

// A design before it becomes a file: colour blocks of stitched runs. The
// machine jumps to the start of each run that does not go on from where the
// previous one ended.
class StitchPlan {
  public:
    // Starts a block in this thread; a block with no runs yet is just re-threaded.
    void UseThread(std::int32_t thread);
    void AddRun(Polyline run);
    void AddRuns(const std::vector<Polyline>& runs);

    const std::vector<ColourBlock>& Blocks() const { return blocks_; }

  private:
    std::vector<ColourBlock> blocks_;
};

// One thread number per block that has stitches, in sewing order: the file's colour list.
std::vector<std::int32_t> ThreadList(const StitchPlan& plan);

// Writes the plan as a stream: the first needle point becomes the file's
// origin, so the stream opens with a stitch rather than a jump. Points are
// rounded to whole units; a needle point equal to the one before is left out.
pxs::PxsWriter WritePlan(const StitchPlan& plan);

// Pairs of the stream as the reader's read pass stores them: each ordinary
// pair, each control pair with its displacement, and the end code.
std::int32_t StreamPairCount(const pxs::PxsWriter& writer);

}  // namespace vireluna::designgen
