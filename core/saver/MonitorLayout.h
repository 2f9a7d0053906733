#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/ports/WindowHost.h"

namespace vireluna {

// One monitor's rectangle on the virtual screen, in pixels. Monitors left of or above the
// primary lie at negative coordinates.
struct MonitorRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    std::int64_t Right() const { return std::int64_t{left} + width; }
    std::int64_t Bottom() const { return std::int64_t{top} + height; }
    ScreenSize Size() const { return {width, height}; }
    bool operator==(const MonitorRect&) const = default;
};

// The most monitors that play a run each, more than any desk holds, so that a broken report
// cannot make the saver allocate without end. The window covers any further ones too; they
// keep the field colour.
inline constexpr std::size_t MaxMonitors = 16;

// The monitors the full-screen saver plays on, the primary first, and the bounds it covers. A
// monitor without area and one that lies wholly inside another (a mirrored display, of the
// same size or smaller) are left out, and those past MaxMonitors only widen the bounds; a
// layout is never empty unless it was given nothing usable.
class MonitorLayout {
  public:
    MonitorLayout() = default;
    explicit MonitorLayout(const std::vector<MonitorRect>& monitors);
    // One monitor of this size at the origin: the whole screen.
    static MonitorLayout Single(ScreenSize screen);

    std::size_t Count() const { return monitors_.size(); }
    bool Empty() const { return monitors_.empty(); }
    const MonitorRect& Monitor(std::size_t place) const { return monitors_[place]; }
    const std::vector<MonitorRect>& Monitors() const { return monitors_; }
    // The smallest rectangle holding every monitor, those past MaxMonitors too: where the
    // full-screen window goes.
    MonitorRect Bounds() const;
    // A monitor's rectangle in the window's client coordinates (the bounds' corner at 0, 0).
    MonitorRect InWindow(std::size_t place) const;

    bool operator==(const MonitorLayout&) const = default;

  private:
    struct Extent {
        std::int64_t left, top, right, bottom;
        bool operator==(const Extent&) const = default;
    };
    void Cover(const MonitorRect& monitor);

    std::vector<MonitorRect> monitors_;
    std::optional<Extent> covered_;  // every usable monitor given
};

// The seed of a monitor's own generator. The primary (place 0) keeps the main seed, so its
// draws are those of a one-monitor run; every other place gets a seed of its own, fixed by
// the main seed and the place, so a run can be reproduced.
std::uint32_t MonitorSeed(std::uint32_t mainSeed, std::size_t place);

}  // namespace vireluna
