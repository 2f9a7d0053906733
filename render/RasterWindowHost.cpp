#include "render/RasterWindowHost.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace vireluna::raster {
namespace {

std::string_view IconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return "stop";
        case MessageIcon::Exclamation:
            return "exclamation";
        case MessageIcon::Information:
            return "information";
        case MessageIcon::None:
            return "no icon";
    }
    return "message";
}

}  // namespace

RasterWindowHost::RasterWindowHost(ScreenSize screen, ScreenSize client, RasterImage logo,
                                   MessageBoxes& messages)
    : screen_(screen),
      image_(client.width, client.height),
      logo_(std::move(logo)),
      surface_(image_, logo_),
      tracking_(surface_, changed_),
      messages_(messages) {}

bool RasterWindowHost::TakePendingErase() {
    return std::exchange(pendingErase_, false);
}

void RasterWindowHost::SetTimer(int periodMs) {
    timer_.Start(TickSchedule::Clock::now(), std::chrono::milliseconds(periodMs));
}

void RasterWindowHost::Resize(ScreenSize client) {
    if (client.width == image_.Width() && client.height == image_.Height()) return;
    image_ = RasterImage(std::max(client.width, 1), std::max(client.height, 1));
    changed_.Clear();
    pendingErase_ = true;
}

bool RasterWindowHost::TakeChangedArea(ChangedArea& area) {
    area = changed_;
    changed_.Clear();
    return area.Clip(image_.Width(), image_.Height());
}

void MessageLog::Show(std::string_view utf8Text, std::string_view utf8Caption, MessageIcon icon) {
    out_ << utf8Caption << " (" << IconName(icon) << "): " << utf8Text << '\n';
}

}  // namespace vireluna::raster
