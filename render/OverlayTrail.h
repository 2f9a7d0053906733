#pragma once

#include <vector>

#include "presentation/MachinePlayback.h"
#include "render/ChangedArea.h"
#include "render/MachineOverlayPainter.h"

namespace vireluna::raster {

// Where machine playback's overlays must be put on the window again as they move: where
// they were shown last (the picture comes back there) and where they are now.
class OverlayTrail {
  public:
    // Takes the overlays shown from now on and adds both places to changed.
    void Follow(const std::vector<MachineOverlay>& now, ChangedArea& changed) {
        for (const render::PixelBox& box : shown_)
            changed.Add(box.left, box.top, box.right, box.bottom);
        shown_.clear();
        for (const MachineOverlay& overlay : now) {
            const render::PixelBox box = render::OverlayBounds(overlay);
            if (box.Empty()) continue;
            shown_.push_back(box);
            changed.Add(box.left, box.top, box.right, box.bottom);
        }
    }
    // The part of box that overlays shown now may cover; empty when none does.
    render::PixelBox ShownWithin(const render::PixelBox& box) const {
        render::PixelBox within{};
        for (const render::PixelBox& shown : shown_) {
            within = render::Union(within, render::Intersection(shown, box));
        }
        return within;
    }
    // True when an overlay shown now covers part of box.
    bool Touches(const render::PixelBox& box) const {
        for (const render::PixelBox& shown : shown_) {
            if (!render::Intersection(shown, box).Empty()) return true;
        }
        return false;
    }

  private:
    std::vector<MachineOverlay> overlays_;
    std::vector<render::PixelBox> shown_;
};

}  // namespace vireluna::raster
