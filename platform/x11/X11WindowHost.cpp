#include "platform/x11/X11WindowHost.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "platform/x11/MessagePanel.h"

namespace vireluna::x11 {
namespace {
// As long as a person needs to read a file name; the saver then goes on by itself.
constexpr std::chrono::milliseconds MessageShownFor{4000};
}  // namespace

X11WindowHost::X11WindowHost(Display* display, Window window, Visual* visual, int depth,
                             ScreenSize client, raster::RasterImage logo)
    : display_(display),
      window_(window),
      image_(client.width, client.height),
      logo_(std::move(logo)),
      raster_(image_, logo_),
      tracking_(raster_, changed_),
      putter_(display, window, visual, depth) {}

X11WindowHost::~X11WindowHost() = default;

void X11WindowHost::SetTimer(int periodMs) {
    schedule_.Start(TickSchedule::Clock::now(), std::chrono::milliseconds(periodMs));
}

ScreenSize X11WindowHost::GetScreenSize() const {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window_, &attributes) == 0 || attributes.screen == nullptr) {
        const Screen* screen = DefaultScreenOfDisplay(display_);
        return {WidthOfScreen(screen), HeightOfScreen(screen)};
    }
    return {WidthOfScreen(attributes.screen), HeightOfScreen(attributes.screen)};
}

void X11WindowHost::ShowMessageBox(std::string_view utf8Text, std::string_view utf8Caption,
                                   MessageIcon /*icon*/) {
    std::cerr << utf8Caption << ": " << utf8Text << std::endl;
    message_ =
        std::make_unique<raster::RasterImage>(MessagePanel(utf8Text, utf8Caption, image_.Width()));
    Flush();
    PutMessage();
    if (modalWait_) modalWait_(MessageShownFor);
    message_.reset();
    Repaint(0, 0, image_.Width(), image_.Height());
}

bool X11WindowHost::TakePendingErase() {
    return std::exchange(pendingErase_, false);
}

void X11WindowHost::Resize(ScreenSize client) {
    if (client.width == image_.Width() && client.height == image_.Height()) return;
    image_ = raster::RasterImage(std::max(client.width, 1), std::max(client.height, 1));
    changed_.Clear();
    pendingErase_ = true;
}

void X11WindowHost::Repaint(int left, int top, int right, int bottom) {
    ChangedArea area;
    area.Add(left, top, right, bottom);
    if (area.Clip(image_.Width(), image_.Height())) {
        putter_.Put(image_, area.Left(), area.Top(), area.Right(), area.Bottom());
    }
    PutMessage();
}

void X11WindowHost::Flush() {
    if (changed_.Clip(image_.Width(), image_.Height())) {
        putter_.Put(image_, changed_.Left(), changed_.Top(), changed_.Right(), changed_.Bottom());
    }
    changed_.Clear();
}

void X11WindowHost::PutMessage() {
    if (!message_) return;
    // Centred, and wholly inside the window so the start of the text is always readable.
    const int width = std::min(message_->Width(), image_.Width());
    const int height = std::min(message_->Height(), image_.Height());
    const int x = (image_.Width() - width) / 2;
    const int y = (image_.Height() - height) / 2;
    putter_.Put(*message_, 0, 0, width, height, x, y);
}

}  // namespace vireluna::x11
