#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/presentation/MachinePlayback.h"
#include "raster/PixelView.h"
#include "raster/RasterImage.h"

namespace vireluna::raster {

// The overlays of box on their own, for a screen that keeps the picture itself: their pixels
// in `painted` (box-sized) and, one bit a pixel from the lowest bit of each byte, rows padded
// to whole bytes, which pixels they cover (an X bitmap). The overlays are opaque, so the
// picture under them need not be read back: the mask lets only their pixels through.
void PaintOverlayMask(const raster::PixelBox& box, std::span<const MachineOverlay> overlays,
                      RasterImage& painted, std::vector<char>& maskBits);

}  // namespace vireluna::raster
