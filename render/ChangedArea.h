#pragma once

#include <algorithm>

namespace vireluna::raster {

// The bounding box of what a tick changed, clipped to the window: only that much is sent
// to the X server.
class ChangedArea {
  public:
    void Add(int left, int top, int right, int bottom) {
        if (left >= right || top >= bottom) return;
        if (empty_) {
            left_ = left, top_ = top, right_ = right, bottom_ = bottom;
            empty_ = false;
            return;
        }
        left_ = std::min(left_, left);
        top_ = std::min(top_, top);
        right_ = std::max(right_, right);
        bottom_ = std::max(bottom_, bottom);
    }
    // Clips to [0, width) x [0, height); false when nothing is left.
    bool Clip(int width, int height) {
        if (empty_) return false;
        left_ = std::max(left_, 0);
        top_ = std::max(top_, 0);
        right_ = std::min(right_, width);
        bottom_ = std::min(bottom_, height);
        if (left_ >= right_ || top_ >= bottom_) empty_ = true;
        return !empty_;
    }
    void Clear() { empty_ = true; }
    bool Empty() const { return empty_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Right() const { return right_; }
    int Bottom() const { return bottom_; }

  private:
    bool empty_ = true;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

}  // namespace vireluna::raster
