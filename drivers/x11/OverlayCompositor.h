#pragma once

#include <vector>

#include "core/presentation/MachinePlayback.h"
#include "core/saver/SaverRun.h"
#include "drivers/x11/ImagePutter.h"
#include "drivers/x11/MaskPixmap.h"
#include "drivers/x11/Xlib.h"
#include "raster/ChangedArea.h"
#include "raster/OverlayTrail.h"
#include "raster/PixelView.h"
#include "raster/RasterImage.h"

namespace vireluna::x11 {

// Machine playback's overlays over the picture on its way to the window, never into it: only
// the overlays' own pixels are put, through a mask, over what the picture put there.
class OverlayCompositor {
  public:
    OverlayCompositor(Display* display, Window window, Visual* visual, int depth);

    // The overlays the run shows from now on (none without a run); where they were and where
    // they are join changed.
    void Follow(const SteppedSaver* run, raster::ChangedArea& changed);
    // Puts the overlays that lie in whole over the window, after the picture's part.
    void PutOver(const raster::PixelBox& whole);

  private:
    ImagePutter putter_;
    MaskPixmap maskPixmap_;
    std::vector<MachineOverlay> overlays_;  // shown now
    raster::OverlayTrail trail_;
    raster::RasterImage part_;  // the overlays over a part of the window
    std::vector<char> mask_;    // the pixels of part_ they cover
};

}  // namespace vireluna::x11
