#pragma once

#include <cstdint>

#include "core/design/Design.h"
#include "core/presentation/StitchDrawing.h"

namespace vireluna {

// How a design is played, as stored in "Playback".
enum class Playback : std::int32_t {
    Exact = 0,    // stitches appear batch by batch, nothing else
    Machine = 1,  // a needle sews them, travels across jumps and stops for new threads
};

// What machine playback shows on top of the picture, never part of it, in the pixels of the
// run's client area.
struct MachineOverlay {
    bool shown = false;  // false: nothing at all (no design in progress, a hold, a pause)
    StitchPoint needle{};
    bool lifted = false;  // travelling or changing thread: needle and foot are up
    // A travel: a taut thread from the last needle drop to the needle.
    bool travel = false;
    StitchPoint travelFrom{};
    ColourValue thread = 0;
    // A thread change is coming: a spool of the next thread beside the needle.
    bool spool = false;
    ColourValue spoolColour = 0;
    // The size of the drawing: 1/SubpixelScale pixel per unit of its full-screen size.
    int scale = SubpixelScale;
    // Nothing is drawn outside this (a monitor's part of a window spanning several).
    ClipRect clip = Unclipped;

    bool operator==(const MachineOverlay&) const = default;
    // The same overlay with its origin moved by (dx, dy).
    MachineOverlay Moved(int dx, int dy) const;
};

// A thread change stops the machine for about this long.
inline constexpr int ThreadChangeMilliseconds = 1000;
// A travel moves the needle this fast, and takes this long at least and at most.
inline constexpr int TravelPixelsPerSecond = 2000;
inline constexpr int ShortestTravelMilliseconds = 150;
inline constexpr int LongestTravelMilliseconds = 500;
// A travel shorter than this many ticks could not be followed by the eye.
inline constexpr int FewestTravelTicks = 2;

// Ticks of the thread-change stop at this timer period: about a second, never none.
std::int32_t ThreadChangeTicks(std::int32_t timerPeriod);
// Ticks of a travel over this many pixels at this timer period.
std::int32_t TravelTicks(std::int64_t pixels, std::int32_t timerPeriod);
// The overlay's size for a design at this Reduction, drawn at drawScale on a screen this
// high: it grows with the design and with screens taller than 1080 pixels, and stays
// readable at small sizes.
int MachineOverlayScale(std::int32_t reduction, double drawScale, int screenHeight);

// The machine's stops between the batches of a design: before a batch that jumps or trims,
// the needle travels from the last needle drop to the batch's far end; before a batch that
// changes the thread, the machine stands still for ThreadChangeTicks. The batches themselves
// are those of exact playback, drawn by the cycle unchanged; only these ticks are added. The
// first batch, drawn on the tick that loads the design, has no stop: the needle comes from
// nowhere.
class MachinePlayback {
  public:
    // What a Drawing tick is.
    enum class Tick { Sew, Travel, ThreadChange };

    // A design's first batch has just been drawn.
    void Start(const StitchRecord* placed, std::int32_t drawPosition, double drawScale);
    // Decides what this Drawing tick does, before its batch; a stop takes the whole tick.
    Tick Step(const StitchRecord* placed, const Design& design, const StitchPen& pen,
              std::int32_t drawPosition, std::int32_t colourIndex, std::int32_t timerPeriod);
    // The batch of this tick has been drawn: the needle stands where its last thread ends.
    void Sewn(const StitchRecord* placed, std::int32_t drawPosition, double drawScale);
    // The design is done: nothing is shown until the next one starts.
    void Stop() { active_ = false; }

    // The overlay now; scale is MachineOverlayScale for the run.
    MachineOverlay Overlay(int scale) const;

  private:
    // What the next batch needs before it is drawn.
    struct Plan {
        bool travel = false;
        StitchPoint to{};
        bool threadChange = false;
        ColourValue nextColour = 0;
    };
    Plan PlanBatch(const StitchRecord* placed, const Design& design, const StitchPen& pen,
                   std::int32_t drawPosition, std::int32_t colourIndex) const;
    StitchPoint NeedleNow() const;

    bool active_ = false;
    StitchPoint lastDrop_{};
    ColourValue thread_ = 0;  // the colour being sewn
    bool stopping_ = false;   // a stop is under way for the next batch
    Plan plan_;
    std::int32_t travelTicks_ = 0;
    std::int32_t travelDone_ = 0;
    std::int32_t changeTicksLeft_ = 0;
};

}  // namespace vireluna
