#include "core/saver/AreaSurface.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vireluna {

int AreaSurface::Shift(int value, int by) {
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{value} + by,
                                                     std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

void AreaSurface::SetClip(const ClipRect& clip) {
    const ClipRect within{std::max(clip.left, 0), std::max(clip.top, 0),
                          std::min(clip.right, area_.width), std::min(clip.bottom, area_.height)};
    whole_.SetClip(ToWhole(within));
}

}  // namespace vireluna
