#pragma once

#include <algorithm>

#include "render/PixelView.h"

namespace vireluna::raster {

// The bounding box of what a tick changed, clipped to the window: only that much is put on
// the screen.
class ChangedArea {
  public:
    void Add(int left, int top, int right, int bottom) {
        if (left >= right || top >= bottom) return;
        if (box_.Empty()) {
            box_ = {left, top, right, bottom};
            return;
        }
        box_ = {std::min(box_.left, left), std::min(box_.top, top), std::max(box_.right, right),
                std::max(box_.bottom, bottom)};
    }
    // Clips to [0, width) x [0, height); false when nothing is left.
    bool Clip(int width, int height) {
        box_ = {std::max(box_.left, 0), std::max(box_.top, 0), std::min(box_.right, width),
                std::min(box_.bottom, height)};
        if (box_.Empty()) Clear();
        return !box_.Empty();
    }
    void Clear() { box_ = {}; }
    bool Empty() const { return box_.Empty(); }
    const render::PixelBox& Box() const { return box_; }
    int Left() const { return box_.left; }
    int Top() const { return box_.top; }
    int Right() const { return box_.right; }
    int Bottom() const { return box_.bottom; }

  private:
    render::PixelBox box_;
};

}  // namespace vireluna::raster
