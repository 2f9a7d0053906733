#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "core/ports/WindowHost.h"
#include "core/saver/MonitorLayout.h"
#include "drivers/x11/WindowPicture.h"
#include "raster/RasterImage.h"

namespace vireluna::x11 {

// The saver's message as a panel over the window while it is open, centred on its area and
// wholly inside it, so that the start of the text is always readable.
class WindowMessage {
  public:
    // Over this part of the window (the primary monitor); else over the whole window.
    void ShowOver(const MonitorRect& area) { area_ = area; }
    void Open(std::string_view utf8Text, std::string_view utf8Caption, ScreenSize client);
    void Close() { panel_.reset(); }
    bool IsOpen() const { return panel_ != nullptr; }
    // Puts the panel on the window, when one is open.
    void Put(WindowPicture& picture, ScreenSize client) const;

  private:
    MonitorRect AreaIn(ScreenSize client) const;

    std::unique_ptr<raster::RasterImage> panel_;  // while the message is open
    std::optional<MonitorRect> area_;
};

}  // namespace vireluna::x11
