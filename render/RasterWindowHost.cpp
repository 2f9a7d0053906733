#include "render/RasterWindowHost.h"

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
                                   std::ostream& messages)
    : screen_(screen),
      image_(client.width, client.height),
      logo_(std::move(logo)),
      surface_(image_, logo_),
      messages_(messages) {}

void RasterWindowHost::SetTimer(int periodMs) {
    timerRunning_ = true;
    timerPeriod_ = periodMs;
}

void RasterWindowHost::ShowMessageBox(std::string_view utf8Text, std::string_view utf8Caption,
                                      MessageIcon icon) {
    ++messageBoxCount_;
    messages_ << utf8Caption << " (" << IconName(icon) << "): " << utf8Text << '\n';
}

bool RasterWindowHost::TakePendingErase() {
    return std::exchange(pendingErase_, false);
}

}  // namespace vireluna::raster
