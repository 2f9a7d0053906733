#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "raster/PixelView.h"

namespace vireluna::raster {

// What a tick changed, clipped to the window: only that much is put on the screen. Runs on
// several monitors draw far apart in one window, so changes that do not touch are kept as
// separate boxes (a few at most) instead of one box spanning the screen between them.
class ChangedArea {
  public:
    static constexpr std::size_t MaxBoxes = 4;

    void Add(int left, int top, int right, int bottom) {
        PixelBox added{left, top, right, bottom};
        if (added.Empty()) return;
        // A box that touches another grows it, and the grown box may then reach others.
        for (std::size_t i = 0; i < boxes_.size();) {
            if (Touch(boxes_[i], added)) {
                added = Union(boxes_[i], added);
                boxes_.erase(boxes_.begin() + static_cast<std::ptrdiff_t>(i));
                i = 0;
            } else {
                ++i;
            }
        }
        boxes_.push_back(added);
        if (boxes_.size() > MaxBoxes) {
            const PixelBox all = Box();
            boxes_.assign(1, all);
        }
    }
    // Clips to [0, width) x [0, height); false when nothing is left.
    bool Clip(int width, int height) {
        std::vector<PixelBox> clipped;
        for (const PixelBox& box : boxes_) {
            const PixelBox inside = Intersection(box, {0, 0, width, height});
            if (!inside.Empty()) clipped.push_back(inside);
        }
        boxes_ = std::move(clipped);
        return !boxes_.empty();
    }
    void Clear() { boxes_.clear(); }
    bool Empty() const { return boxes_.empty(); }
    const std::vector<PixelBox>& Boxes() const { return boxes_; }
    // One box holding every change.
    PixelBox Box() const {
        if (boxes_.empty()) return {};
        PixelBox all = boxes_.front();
        for (const PixelBox& box : boxes_) all = Union(all, box);
        return all;
    }

  private:
    static bool Touch(const PixelBox& a, const PixelBox& b) {
        return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
    }

    std::vector<PixelBox> boxes_;
};

}  // namespace vireluna::raster
