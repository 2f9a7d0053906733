#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/FileSystem.h"
#include "core/ports/MessageBoxes.h"
#include "core/ports/ProfileStore.h"
#include "core/ports/Random.h"
#include "core/ports/WindowHost.h"
#include "core/saver/FullScreenSaverWnd.h"
#include "core/saver/RunControls.h"
#include "core/saver/SaverWnd.h"

namespace vireluna {

// "File cannot be opened.\n\n", then each playlist entry that was not found and "\n".
inline constexpr std::string_view MissingFilesHeading = "File cannot be opened.\n\n";

// Follows a folder that holds no design when nothing else is listed: the saver would have
// nothing to play.
inline constexpr std::string_view NoDesignInFolderNote = " (no design files in it)";

// The playlist entries the saver will play that a directory search does not find, in play
// order: File01 always, then up to the first empty entry. An entry after a gap is never
// played, so it cannot keep the saver from starting. Then the folder, when it cannot be read,
// or when it holds no design and the list is empty (followed by NoDesignInFolderNote).
std::vector<std::string> MissingPlaylistFiles(ProfileStore& profile, FileSystem& files);

// Start-up's check: true when every entry to be played is found; otherwise shows which are
// not, with the stop icon, and gives false once the box is closed.
bool CheckPlaylistFiles(ProfileStore& profile, FileSystem& files, MessageBoxes& boxes);

enum class RunMode {
    Picture,     // the picture only: no input ends it (a preview, a window given by a daemon)
    FullScreen,  // the full-screen saver's rules: input and deactivation end it
};

// What a run starts from: the seed (VIRELUNA_SEED or --seed, else the time) and the tick
// limit (VIRELUNA_TICKS or --ticks, else none).
struct RunStart {
    std::uint32_t seed = 0;
    std::optional<std::int64_t> tickLimit;
};

// What an event loop drives: one run, or the runs of every monitor in one window.
class SteppedSaver {
  public:
    virtual ~SteppedSaver() = default;
    // One timer message.
    virtual void Step() = 0;
    // The erase the host holds back, for a driver that paints between ticks too.
    virtual void ErasePending() = 0;
    // The window's client area has a new size.
    virtual void OnSize(int clientWidth, int clientHeight) = 0;
    // The full-screen window's input handlers, pointer positions in window coordinates; null
    // in a preview.
    virtual CFullScreenSaverWnd* InputRules() = 0;
    // Adds what machine playback shows over the picture now, in the window's pixels.
    virtual void CollectOverlays(std::vector<MachineOverlay>& into) const = 0;
    // The load-failure message a run handed over (WindowHost::OpenMessage) was closed.
    virtual void OnMessageClosed() = 0;
};

// One run of the saver, the same behind every driver: the Win32 window procedure, the X11
// event loop and the render tool. It owns the seeded generator and the saver window object of
// the mode, and counts the ticks against the limit. A driver keeps only its platform's part:
// a window, a clock or timer, pixels to the screen and input events to InputRules().
class SaverRun : public SteppedSaver, private WindowHost {
  public:
    // listing: the folder's listing shared with the window's other runs, if any.
    SaverRun(RunMode mode, ProfileStore& profile, WindowHost& host, FileSystem& files,
             RunStart start, FolderListing* listing = nullptr);
    SaverRun(const SaverRun&) = delete;
    SaverRun& operator=(const SaverRun&) = delete;
    ~SaverRun() override;

    // The window's creation and size, for drivers whose window reports them itself.
    void OnCreate();
    void OnSize(int clientWidth, int clientHeight) override;
    // Create, size and the first paint at once, for drivers whose window has no such messages.
    void Start(ScreenSize client);
    bool Erase(Surface& surface, int clientWidth, int clientHeight);

    // One timer message: the erase the host holds back, one tick, then the tick limit.
    void Step() override;
    // The erase the host holds back, for a driver that paints between ticks too.
    void ErasePending() override;
    // False once the limit is reached: no tick runs and no timer starts any more.
    bool MayTick() const { return ticks_.AllowsTick(); }
    std::int64_t Ticks() const { return ticks_.Ticks(); }
    // Every entry of the playlist has failed to load since the last one that loaded.
    bool NothingCanBePlayed() const { return window_->NothingCanBePlayed(); }

    const CSaverWnd& Window() const { return *window_; }
    // The full-screen window's input handlers; null in a preview.
    CFullScreenSaverWnd* InputRules() override {
        return mode_ == RunMode::FullScreen ? static_cast<CFullScreenSaverWnd*>(window_.get())
                                            : nullptr;
    }
    void CollectOverlays(std::vector<MachineOverlay>& into) const override;
    void OnMessageClosed() override { window_->OnMessageClosed(); }
    bool ShowingMessage() const { return window_->ShowingMessage(); }
    // A fresh run in place of one whose message is still open: it waits for the close too.
    void TakeOverOpenMessage(bool nothingLeftToPlay) {
        window_->TakeOverOpenMessage(nothingLeftToPlay);
    }

  private:
    // The host as the saver window sees it: a timer never starts once the limit is reached.
    Surface& AcquireSurface() override { return host_.AcquireSurface(); }
    void ReleaseSurface() override { host_.ReleaseSurface(); }
    void InvalidateWithErase() override { host_.InvalidateWithErase(); }
    bool TakePendingErase() override { return host_.TakePendingErase(); }
    void SetTimer(int periodMs) override;
    void KillTimer() override { host_.KillTimer(); }
    void PostCloseRequest() override { host_.PostCloseRequest(); }
    ScreenSize GetScreenSize() const override { return host_.GetScreenSize(); }
    ScreenSize ClientSize() const override { return host_.ClientSize(); }
    bool OpenMessage(std::string_view utf8Text, std::string_view utf8Caption,
                     MessageIcon icon) override {
        return host_.OpenMessage(utf8Text, utf8Caption, icon);
    }

    const RunMode mode_;
    WindowHost& host_;
    Random random_;
    TickLimit ticks_;
    std::unique_ptr<CSaverWnd> window_;  // a CFullScreenSaverWnd in full screen
};

}  // namespace vireluna
