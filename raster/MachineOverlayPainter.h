#pragma once

#include <cstdint>
#include <span>

#include "core/presentation/MachinePlayback.h"
#include "raster/PixelView.h"

namespace vireluna::raster {

// Machine playback's needle, presser foot, travel thread and spool, painted over a copy of the
// picture as it goes to the screen, never into the picture itself. Integer arithmetic only,
// so every surface paints the same pixels.

// The pixels an overlay may change, in the window's pixels; empty when nothing is shown.
PixelBox OverlayBounds(const MachineOverlay& overlay);

// Paints the overlays, in order, onto view, whose corner lies at (left, top) of the window.
// Only pixels inside the view and each overlay's clip change. With coverage (one byte a pixel
// of the view, rows of view.width), each pixel painted is marked there with a 1.
void PaintOverlays(const PixelView& view, int left, int top,
                   std::span<const MachineOverlay> overlays, std::uint8_t* coverage = nullptr);

}  // namespace vireluna::raster
