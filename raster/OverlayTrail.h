#pragma once

#include <vector>

#include "core/presentation/MachinePlayback.h"
#include "raster/ChangedArea.h"
#include "raster/MachineOverlayPainter.h"

namespace vireluna::raster {

// Where machine playback's overlays must be put on the window again as they move: where
// they were shown last (the picture comes back there) and where they are now.
class OverlayTrail {
  public:
    // Takes the overlays shown from now on and adds both places to changed.
    void Follow(const std::vector<MachineOverlay>& now, ChangedArea& changed) {
        for (const raster::PixelBox& box : shown_)
            changed.Add(box.left, box.top, box.right, box.bottom);
        shown_.clear();
        for (const MachineOverlay& overlay : now) {
            const raster::PixelBox box = raster::OverlayBounds(overlay);
            if (box.Empty()) continue;
            shown_.push_back(box);
            changed.Add(box.left, box.top, box.right, box.bottom);
        }
    }
    // The part of box that overlays shown now may cover; empty when none does.
    raster::PixelBox ShownWithin(const raster::PixelBox& box) const {
        raster::PixelBox within{};
        for (const raster::PixelBox& shown : shown_) {
            within = raster::Union(within, raster::Intersection(shown, box));
        }
        return within;
    }
    // True when an overlay shown now covers part of box.
    bool Touches(const raster::PixelBox& box) const {
        for (const raster::PixelBox& shown : shown_) {
            if (!raster::Intersection(shown, box).Empty()) return true;
        }
        return false;
    }

  private:
    std::vector<MachineOverlay> overlays_;
    std::vector<raster::PixelBox> shown_;
};

}  // namespace vireluna::raster
