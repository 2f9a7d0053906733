#include "drivers/headless/RasterWindowHost.h"

#include "core/saver/SaverRun.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace vireluna::headless {
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

RasterWindowHost::RasterWindowHost(ScreenSize screen, ScreenSize client, raster::RasterImage logo,
                                   MessageHandOff& messages)
    : screen_(screen),
      client_{std::max(client.width, 0), std::max(client.height, 0)},
      logo_(std::move(logo)),
      surface_(image_, logo_),
      messages_(messages) {
    tracking_.emplace(surface_, changed_);
}

Surface& RasterWindowHost::AcquireSurface() {
    ++acquired_;
    if (!tiles_) MemoryPicture();
    return *tracking_;
}

void RasterWindowHost::ReleaseSurface() {
    acquired_ = std::max(acquired_ - 1, 0);
    if (acquired_ == 0 && toMemory_) DrawInMemory();
}

raster::RasterImage& RasterWindowHost::MemoryPicture() const {
    if (image_.Width() != client_.width || image_.Height() != client_.height) {
        image_ = raster::RasterImage(client_.width, client_.height);
    }
    return image_;
}

const raster::RasterImage& RasterWindowHost::Image() const {
    return tiles_ ? image_ : MemoryPicture();
}

bool RasterWindowHost::KeepPictureIn(raster::PictureStore& store) {
    if (!store.Resize(client_.width, client_.height)) return false;
    if (image_.Width() == client_.width && image_.Height() == client_.height) {
        store.Write(image_, {0, 0, client_.width, client_.height}, 0, 0);
    }
    image_ = raster::RasterImage();
    store_ = &store;
    tiles_.emplace(logo_, store, client_.width, client_.height);
    tracking_.emplace(*tiles_, changed_);
    return true;
}

void RasterWindowHost::DrawInMemory() {
    toMemory_ = false;
    store_ = nullptr;
    tracking_.emplace(surface_, changed_);
    tiles_.reset();
}

bool RasterWindowHost::TakePendingErase() {
    return std::exchange(pendingErase_, false);
}

void RasterWindowHost::SetTimer(int periodMs) {
    timer_.Start(headless::TickSchedule::Clock::now(), std::chrono::milliseconds(periodMs));
}

void RasterWindowHost::Resize(ScreenSize client) {
    if (client.width == client_.width && client.height == client_.height) return;
    client_ = {std::max(client.width, 1), std::max(client.height, 1)};
    StartAgain();
}

void RasterWindowHost::StartAgain() {
    changed_.Clear();
    pendingErase_ = true;
    if (!tiles_) return;
    if (store_->Resize(client_.width, client_.height)) {
        tiles_->Restart(client_.width, client_.height);
    } else if (acquired_ > 0) {
        // A message box in the middle of a tick: the surface in use stays until released,
        // drawing nothing that lasts; the erase asked for starts the picture in memory.
        toMemory_ = true;
    } else {
        DrawInMemory();
    }
}

bool RasterWindowHost::TakeChangedArea(raster::ChangedArea& area) {
    if (tiles_) {
        tiles_->WriteBack();
        if (tiles_->TakeLoss()) StartAgain();
    }
    area = changed_;
    changed_.Clear();
    return area.Clip(client_.width, client_.height);
}

bool MessageLog::OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                             MessageIcon icon) {
    out_ << utf8Caption << " (" << IconName(icon) << "): " << utf8Text << '\n';
    open_ = true;
    return true;
}

void MessageLog::AnswerAfterStep(SteppedSaver& runs) {
    if (!open_) return;
    open_ = false;
    runs.OnMessageClosed();
}

}  // namespace vireluna::headless
