#include "core/presentation/MachinePlayback.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vireluna {
namespace {

constexpr std::int64_t MillisecondsPerSecond = 1000;
constexpr int PercentScale = 100;
// Screens up to this height show the overlay at its own size; taller ones enlarge it.
constexpr int OverlayReferenceHeight = 1080;
// The design's own scale, as far as the overlay follows it: a tiny design keeps a readable
// needle, a huge one does not get a needle larger than the screen needs.
constexpr double SmallestDesignScale = 0.6;
constexpr double LargestDesignScale = 2.0;
constexpr int SmallestOverlayScale = SubpixelScale / 8;
constexpr int LargestOverlayScale = SubpixelScale * 8;

std::int32_t UsablePeriod(std::int32_t timerPeriod) {
    return std::max<std::int32_t>(timerPeriod, 1);
}

std::int64_t Distance(StitchPoint a, StitchPoint b) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    return static_cast<std::int64_t>(std::sqrt(dx * dx + dy * dy));
}

int Between(int from, int to, std::int64_t done, std::int64_t total) {
    return static_cast<int>(from + (std::int64_t{to} - from) * done / total);
}

}  // namespace

MachineOverlay MachineOverlay::Moved(int dx, int dy) const {
    MachineOverlay moved = *this;
    moved.needle = {needle.x + dx, needle.y + dy};
    moved.travelFrom = {travelFrom.x + dx, travelFrom.y + dy};
    return moved;
}

std::int32_t ThreadChangeTicks(std::int32_t timerPeriod) {
    const std::int64_t period = UsablePeriod(timerPeriod);
    return static_cast<std::int32_t>(
        std::max<std::int64_t>((ThreadChangeMilliseconds + period / 2) / period, 1));
}

std::int32_t TravelTicks(std::int64_t pixels, std::int32_t timerPeriod) {
    const std::int64_t period = UsablePeriod(timerPeriod);
    // A distance between two int points times 1000 stays far inside 64 bits.
    const std::int64_t fastest =
        std::max<std::int64_t>(pixels, 0) * MillisecondsPerSecond / TravelPixelsPerSecond;
    const std::int64_t milliseconds =
        std::clamp<std::int64_t>(fastest, ShortestTravelMilliseconds, LongestTravelMilliseconds);
    return static_cast<std::int32_t>(
        std::max<std::int64_t>((milliseconds + period - 1) / period, FewestTravelTicks));
}

int MachineOverlayScale(std::int32_t reduction, double drawScale, int screenHeight) {
    const double design = std::clamp(static_cast<double>(reduction) / PercentScale,
                                     SmallestDesignScale, LargestDesignScale);
    const double screen = std::max(1.0, static_cast<double>(screenHeight) / OverlayReferenceHeight);
    const double scale = design * screen * drawScale * SubpixelScale;
    if (!(scale >= SmallestOverlayScale)) return SmallestOverlayScale;
    return scale >= LargestOverlayScale ? LargestOverlayScale : static_cast<int>(scale);
}

void MachinePlayback::Start(const StitchRecord* placed, std::int32_t drawPosition,
                            double drawScale) {
    stopping_ = false;
    active_ = true;
    Sewn(placed, drawPosition, drawScale);
}

void MachinePlayback::Sewn(const StitchRecord* placed, std::int32_t drawPosition,
                           double drawScale) {
    // A batch's last stitch, the record before drawPosition, is drawn to the record at
    // drawPosition when that is a stitch too: the thread, and so the needle, ends there.
    for (const std::int32_t drop : {drawPosition, drawPosition - 1}) {
        if (PlacedKindAt(placed, drop) == StitchKind::Stitch) {
            lastDrop_ = ScaledStitchPoint(placed[drop], drawScale);
            return;
        }
    }
}

MachinePlayback::Plan MachinePlayback::PlanBatch(const StitchRecord* placed, const Design& design,
                                                 const StitchPen& pen, std::int32_t drawPosition,
                                                 std::int32_t colourIndex) const {
    // The records the batch will pass, as DrawStitches passes them: the stitch after its last
    // gap is where the needle must travel to, in the colour the batch has reached there.
    Plan plan;
    bool gap = false;
    bool changed = false;
    std::int32_t colour = colourIndex;
    int count = 0;
    for (std::int32_t i = drawPosition;; ++i) {
        const StitchKind kind = PlacedKindAt(placed, i);
        if (kind == StitchKind::End) break;
        if (kind != StitchKind::Stitch) {
            gap = true;
            if (kind == StitchKind::ColourChange) {
                changed = true;
                if (colour < std::numeric_limits<std::int32_t>::max()) ++colour;
            }
            continue;
        }
        if (gap) {
            plan.to = ScaledStitchPoint(placed[i], pen.drawScale);
            plan.travel = plan.to != lastDrop_;
            if (changed) {
                plan.threadChange = true;
                plan.nextColour = PenColour(design, colour);
            }
            gap = false;
        }
        if (++count >= pen.stitchesPerTick) break;
    }
    return plan;
}

MachinePlayback::Tick MachinePlayback::Step(const StitchRecord* placed, const Design& design,
                                            const StitchPen& pen, std::int32_t drawPosition,
                                            std::int32_t colourIndex, std::int32_t timerPeriod) {
    if (!stopping_) {
        plan_ = PlanBatch(placed, design, pen, drawPosition, colourIndex);
        if (!plan_.travel && !plan_.threadChange) return Tick::Sew;
        stopping_ = true;
        thread_ = PenColour(design, colourIndex);
        travelTicks_ = plan_.travel ? TravelTicks(Distance(lastDrop_, plan_.to), timerPeriod) : 0;
        travelDone_ = 0;
        changeTicksLeft_ = plan_.threadChange ? ThreadChangeTicks(timerPeriod) : 0;
    }
    // The needle travels first, in the thread it has; at the far end the machine stops for
    // the new one. The travel thread stays until sewing resumes and cuts it.
    if (travelDone_ < travelTicks_) {
        ++travelDone_;
        return Tick::Travel;
    }
    if (changeTicksLeft_ > 0) {
        --changeTicksLeft_;
        return Tick::ThreadChange;
    }
    stopping_ = false;
    return Tick::Sew;
}

StitchPoint MachinePlayback::NeedleNow() const {
    if (!stopping_ || travelTicks_ == 0) return lastDrop_;
    return {Between(lastDrop_.x, plan_.to.x, travelDone_, travelTicks_),
            Between(lastDrop_.y, plan_.to.y, travelDone_, travelTicks_)};
}

MachineOverlay MachinePlayback::Overlay(int scale) const {
    MachineOverlay overlay;
    if (!active_) return overlay;
    overlay.shown = true;
    overlay.scale = scale;
    overlay.needle = NeedleNow();
    if (!stopping_) return overlay;
    overlay.lifted = true;
    overlay.travel = travelDone_ > 0;
    overlay.travelFrom = lastDrop_;
    overlay.thread = thread_;
    overlay.spool = plan_.threadChange;
    overlay.spoolColour = plan_.nextColour;
    return overlay;
}

}  // namespace vireluna
