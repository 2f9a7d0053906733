#include "drivers/x11/WindowMessage.h"

#include <algorithm>
#include <cstdint>

#include "drivers/x11/MessagePanel.h"

namespace vireluna::x11 {

void WindowMessage::Open(std::string_view utf8Text, std::string_view utf8Caption,
                         ScreenSize client) {
    panel_ = std::make_unique<raster::RasterImage>(
        MessagePanel(utf8Text, utf8Caption, AreaIn(client).width));
}

MonitorRect WindowMessage::AreaIn(ScreenSize client) const {
    const MonitorRect whole{0, 0, client.width, client.height};
    if (!area_) return whole;
    // Within the window, whatever the area says.
    const int left = std::clamp(area_->left, 0, client.width);
    const int top = std::clamp(area_->top, 0, client.height);
    const int right =
        static_cast<int>(std::clamp<std::int64_t>(area_->Right(), left, client.width));
    const int bottom =
        static_cast<int>(std::clamp<std::int64_t>(area_->Bottom(), top, client.height));
    if (right == left || bottom == top) return whole;
    return {left, top, right - left, bottom - top};
}

void WindowMessage::Put(WindowPicture& picture, ScreenSize client) const {
    if (!panel_) return;
    const MonitorRect area = AreaIn(client);
    const int width = std::min(panel_->Width(), area.width);
    const int height = std::min(panel_->Height(), area.height);
    const int x = area.left + (area.width - width) / 2;
    const int y = area.top + (area.height - height) / 2;
    picture.PutImage(*panel_, width, height, x, y);
}

}  // namespace vireluna::x11
