#include "core/saver/MonitorLayout.h"

#include <algorithm>
#include <limits>

namespace vireluna {
namespace {

bool Usable(const MonitorRect& monitor) {
    // Its far edges must be coordinates too, or the bounds could not be worked out.
    constexpr std::int64_t Largest = std::numeric_limits<int>::max();
    return monitor.width > 0 && monitor.height > 0 && monitor.Right() <= Largest &&
           monitor.Bottom() <= Largest;
}

int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

bool Holds(const MonitorRect& outer, const MonitorRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

}  // namespace

MonitorLayout::MonitorLayout(const std::vector<MonitorRect>& monitors) {
    for (const MonitorRect& monitor : monitors) {
        if (!Usable(monitor)) continue;
        Cover(monitor);
        // Inside another (a mirror, maybe smaller): that one's picture already covers it.
        const auto holder = [&](const MonitorRect& kept) { return Holds(kept, monitor); };
        if (std::any_of(monitors_.begin(), monitors_.end(), holder)) continue;
        // One that holds monitors already kept takes the first one's place (a primary mirrored
        // on a larger monitor plays over the larger), and the others go.
        const auto held = [&](const MonitorRect& kept) { return Holds(monitor, kept); };
        const auto first = std::find_if(monitors_.begin(), monitors_.end(), held);
        if (first != monitors_.end()) {
            *first = monitor;
            monitors_.erase(std::remove_if(first + 1, monitors_.end(), held), monitors_.end());
        } else if (monitors_.size() < MaxMonitors) {
            monitors_.push_back(monitor);
        }
        // Past MaxMonitors a monitor is only covered: the window's field colour.
    }
}

void MonitorLayout::Cover(const MonitorRect& monitor) {
    if (!covered_) {
        covered_ = Extent{monitor.left, monitor.top, monitor.Right(), monitor.Bottom()};
        return;
    }
    covered_->left = std::min<std::int64_t>(covered_->left, monitor.left);
    covered_->top = std::min<std::int64_t>(covered_->top, monitor.top);
    covered_->right = std::max(covered_->right, monitor.Right());
    covered_->bottom = std::max(covered_->bottom, monitor.Bottom());
}

MonitorLayout MonitorLayout::Single(ScreenSize screen) {
    return MonitorLayout({MonitorRect{0, 0, screen.width, screen.height}});
}

MonitorRect MonitorLayout::Bounds() const {
    if (!covered_) return {};
    return {static_cast<int>(covered_->left), static_cast<int>(covered_->top),
            ClampToInt(covered_->right - covered_->left),
            ClampToInt(covered_->bottom - covered_->top)};
}

MonitorRect MonitorLayout::InWindow(std::size_t place) const {
    const MonitorRect bounds = Bounds();
    const MonitorRect& monitor = monitors_[place];
    return {ClampToInt(std::int64_t{monitor.left} - bounds.left),
            ClampToInt(std::int64_t{monitor.top} - bounds.top), monitor.width, monitor.height};
}

std::uint32_t MonitorSeed(std::uint32_t mainSeed, std::size_t place) {
    if (place == 0) return mainSeed;
    // A well-mixed hash of seed and place: neighbouring places and seeds give unrelated
    // generators, not the primary's sequence a few draws on.
    std::uint64_t mixed = (std::uint64_t{mainSeed} << 32) ^ place;
    mixed ^= mixed >> 30;
    mixed *= 0xBF58476D1CE4E5B9u;
    mixed ^= mixed >> 27;
    mixed *= 0x94D049BB133111EBu;
    mixed ^= mixed >> 31;
    return static_cast<std::uint32_t>(mixed ^ (mixed >> 32));
}

}  // namespace vireluna
