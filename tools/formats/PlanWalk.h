#pragma once

#include <algorithm>
#include <cstdlib>

#include "tools/formats/DesignPlan.h"

// Walks over a design plan shared by the writers.
namespace vireluna::formats {

// Calls leg(dx, dy) for equal legs of at most `longest` on either axis covering (dx, dy).
template <typename Leg>
void ForEachLeg(int dx, int dy, int longest, Leg leg) {
    const int far = std::max(std::abs(dx), std::abs(dy));
    const int legs = std::max(1, (far + longest - 1) / longest);
    int doneX = 0;
    int doneY = 0;
    for (int i = 1; i <= legs; ++i) {
        const int x = dx * i / legs;
        const int y = dy * i / legs;
        leg(x - doneX, y - doneY, i == legs);
        doneX = x;
        doneY = y;
    }
}

// Walks a plan: stitch(dx, dy) for each drop after the previous one, travel(dx, dy) to the
// first drop of every run after the first, change() between blocks.
template <typename Stitch, typename Travel, typename Change>
void WalkPlan(const DesignPlan& plan, Stitch stitch, Travel travel, Change change) {
    bool started = false;
    PlanPoint at{0, 0};
    for (std::size_t b = 0; b < plan.blocks.size(); ++b) {
        if (b > 0) change();
        for (const PlanRun& run : plan.blocks[b].runs) {
            for (std::size_t i = 0; i < run.size(); ++i) {
                const PlanPoint to = run[i];
                if (!started) {
                    at = to;  // the origin
                    stitch(0, 0);
                    started = true;
                } else if (i == 0) {
                    travel(to.x - at.x, to.y - at.y);
                } else {
                    stitch(to.x - at.x, to.y - at.y);
                }
                at = to;
            }
        }
    }
}

}  // namespace vireluna::formats
