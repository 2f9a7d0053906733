#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "render/PixelView.h"

namespace vireluna::raster {

// What a tick changed, clipped to the window: only that much is put on the screen. Runs on
// several monitors draw far apart in one window, so changes that do not touch are kept as
// separate boxes (a few at most) instead of one box spanning the screen between them.
class ChangedArea {
  public:
    static constexpr std::size_t MaxBoxes = 4;

    void Add(int left, int top, int right, int bottom) {
        render::PixelBox added{left, top, right, bottom};
        if (added.Empty()) return;
        // A box that touches another grows it, and the grown box may then reach others.
        for (std::size_t i = 0; i < boxes_.size();) {
            if (Touch(boxes_[i], added)) {
                added = render::Union(boxes_[i], added);
                boxes_.erase(boxes_.begin() + static_cast<std::ptrdiff_t>(i));
                i = 0;
            } else {
                ++i;
            }
        }
        boxes_.push_back(added);
        if (boxes_.size() > MaxBoxes) {
            const render::PixelBox all = Box();
            boxes_.assign(1, all);
        }
    }
    // Clips to [0, width) x [0, height); false when nothing is left.
    bool Clip(int width, int height) {
        std::vector<render::PixelBox> clipped;
        for (const render::PixelBox& box : boxes_) {
            const render::PixelBox inside = render::Intersection(box, {0, 0, width, height});
            if (!inside.Empty()) clipped.push_back(inside);
        }
        boxes_ = std::move(clipped);
        return !boxes_.empty();
    }
    void Clear() { boxes_.clear(); }
    bool Empty() const { return boxes_.empty(); }
    const std::vector<render::PixelBox>& Boxes() const { return boxes_; }
    // One box holding every change.
    render::PixelBox Box() const {
        if (boxes_.empty()) return {};
        render::PixelBox all = boxes_.front();
        for (const render::PixelBox& box : boxes_) all = render::Union(all, box);
        return all;
    }

  private:
    static bool Touch(const render::PixelBox& a, const render::PixelBox& b) {
        return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
    }

    std::vector<render::PixelBox> boxes_;
};

}  // namespace vireluna::raster
