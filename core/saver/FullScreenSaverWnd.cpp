#include "core/saver/FullScreenSaverWnd.h"

namespace vireluna {

CFullScreenSaverWnd::CFullScreenSaverWnd(ProfileStore& profile, WindowHost& host, Random& random,
                                         FileSystem& files, FolderListing* listing)
    : CSaverWnd(profile, host, random, files, listing) {}

bool CFullScreenSaverWnd::OnSysCommand(std::uint32_t command) {
    return command == SysCommandScreenSave || command == SysCommandClose;
}

void CFullScreenSaverWnd::OnActivate(bool active) {
    // The load-failure box takes the activation: the saver stays so the message can be read.
    if (!active && !ShowingMessage()) RequestClose();
}

void CFullScreenSaverWnd::OnActivateApp(bool active) {
    if (!active && !ShowingMessage()) RequestClose();
}

void CFullScreenSaverWnd::OnMouseMove(int x, int y) {
    if (ShowingMessage()) return;
    if (lastMouseX == NoPointerYet && lastMouseY == NoPointerYet) {
        lastMouseX = x;
        lastMouseY = y;
    }
    const std::int64_t dx = std::int64_t{lastMouseX} - x;
    const std::int64_t dy = std::int64_t{lastMouseY} - y;
    if (dx * dx + dy * dy > PointerToleranceSquared) RequestClose();
}

void CFullScreenSaverWnd::OnButtonDown() {
    RequestClose();
}

void CFullScreenSaverWnd::OnKeyDown() {
    RequestClose();
}

void CFullScreenSaverWnd::OnNothingLeftToPlay() {
    // Nothing would ever be drawn again: the saver ends as when every listed file has failed.
    RequestClose();
}

void CFullScreenSaverWnd::RequestClose() {
    Host().PostCloseRequest();
}

void CFullScreenSaverWnd::AfterMessageClosed() {
    // With every design gone the next tick would only open the next box, and the user, whose
    // every key now answers a box, could never leave the saver: it ends instead.
    if (NothingLeftAtMessageClose()) {
        OnNothingLeftToPlay();
        return;
    }
    // The pointer moved to answer the box, not to end the saver: measure from where it is now.
    lastMouseX = NoPointerYet;
    lastMouseY = NoPointerYet;
}

}  // namespace vireluna
