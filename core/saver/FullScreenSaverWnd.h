#pragma once

#include <cstdint>

#include "core/saver/SaverWnd.h"

namespace vireluna {

// System commands that the full-screen saver swallows while it runs.
inline constexpr std::uint32_t SysCommandScreenSave = 0xF140;
inline constexpr std::uint32_t SysCommandClose = 0xF060;
// The pointer may wander this far (squared, in pixels) from where it was first seen.
inline constexpr std::int64_t PointerToleranceSquared = 10;
inline constexpr std::int32_t NoPointerYet = -1;

// The full-screen saver: the preview's logic plus the input that ends it. Native windows
// translate their events into these handlers and give every message its default handling
// afterwards, unless a handler says it swallowed the message.
class CFullScreenSaverWnd : public CSaverWnd {
  public:
    CFullScreenSaverWnd(ProfileStore& profile, WindowHost& host, Random& random, FileSystem& files,
                        FolderListing* listing = nullptr);

    // True when the command is swallowed (no default handling).
    bool OnSysCommand(std::uint32_t command);
    void OnActivate(bool active);
    void OnActivateApp(bool active);
    void OnMouseMove(int x, int y);
    void OnButtonDown();
    void OnKeyDown();
    // True when the window is to stay shown active instead of being deactivated. While the
    // load-failure message is open the message box takes the activation as usual.
    bool RefusesDeactivation() const { return !ShowingMessage(); }

    std::int32_t LastMouseX() const { return lastMouseX; }
    std::int32_t LastMouseY() const { return lastMouseY; }

  private:
    void RequestClose();
    void AfterMessageClosed() override;
    void OnNothingLeftToPlay() override;

    std::int32_t lastMouseX = NoPointerYet;
    std::int32_t lastMouseY = NoPointerYet;
};

}  // namespace vireluna
