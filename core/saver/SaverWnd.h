#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/design/Design.h"
#include "core/design/DesignLimits.h"
#include "core/ports/FileSystem.h"
#include "core/ports/PathLimit.h"
#include "core/ports/ProfileStore.h"
#include "core/ports/Random.h"
#include "core/ports/Surface.h"
#include "core/ports/WindowHost.h"
#include "core/presentation/AnimationCycle.h"
#include "core/presentation/Background.h"
#include "core/presentation/LogoCorner.h"
#include "core/presentation/MachinePlayback.h"
#include "core/presentation/Notice.h"
#include "core/presentation/Placement.h"
#include "core/saver/DesignFolder.h"
#include "core/saver/FolderListing.h"
#include "core/saver/PlayQueue.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {

// The notice text is placed within the screen width less this margin.
inline constexpr std::int32_t NoticeRangeMargin = 300;

// "ファイルが見つかりません\n\n" (file not found), followed by the path, in UTF-8.
inline constexpr std::string_view FileNotFoundPrefix =
    "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x81\x8C\xE8\xA6\x8B\xE3\x81\xA4"
    "\xE3\x81\x8B\xE3\x82\x8A\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\n\n";

// What the last tick did, for drivers that watch the cycle from outside.
enum class TickResult {
    None,            // no tick yet
    Paused,          // a pause tick that did not end the pause
    PauseEnded,      // the pause ended and the window was asked to clear
    Held,            // a hold tick that did not end the hold
    HoldEnded,       // preview: cleared; full screen: the pause begins
    DesignStarted,   // a design was loaded, placed and its first batch drawn
    Drew,            // a further batch
    DesignFinished,  // the batch reached the design's End record (on a start tick too)
    LoadFailed,      // the chosen file could not be loaded; its message went to the driver
    LoadSkipped,     // designs of the folder could not be loaded: passed over, nothing drawn
    NothingToPlay,   // the folder holds no design and the list is empty: a hold, then a new look
    NothingPlayed,   // no entry of the pass could be loaded: nothing drawn, a hold, a new look
    Travelled,       // machine playback: the needle travelled toward the next batch
    ChangedThread,   // machine playback: the machine stood still for a new thread
};

// With nothing to play the saver looks again after the hold, and never sooner than this: a
// hold of 0 would read the folder on every tick.
inline constexpr std::int32_t MinTicksBeforeLookingAgain = PauseTicks;

// The saver window's logic, portable: a native window translates its messages into these
// handlers and provides the WindowHost. It owns the settings, the playlist, the design, the
// placed stitches and the animation state.
class CSaverWnd {
  public:
    // Reads the settings and the playlist once and allocates both stitch arrays and the file
    // the designs are read through; the files also give the longest path they open. listing:
    // the folder's listing shared with the other runs of the window, if any.
    CSaverWnd(ProfileStore& profile, WindowHost& host, Random& random, FileSystem& files,
              FolderListing* listing = nullptr);
    virtual ~CSaverWnd() = default;
    CSaverWnd(const CSaverWnd&) = delete;
    CSaverWnd& operator=(const CSaverWnd&) = delete;

    // Window messages.
    void OnCreate();
    void OnSize(int clientWidth, int clientHeight);
    void OnTimer();
    bool OnEraseBkgnd(Surface& surface, int clientWidth, int clientHeight);

    // Read access for drivers and tests.
    bool IsPreview() const { return isPreview; }
    std::int32_t ScreenWidth() const { return screenWidth; }
    std::int32_t ScreenHeight() const { return screenHeight; }
    const SaverSettings& Settings() const { return settings; }
    const Playlist& Files() const { return playlist; }
    const Design& LoadedDesign() const { return design; }
    const StitchRecord* PlacedStitches() const { return placedStitches.get(); }
    const PlacementResult& Placement() const { return placement; }
    const LogoState& Logo() const { return logo; }
    const CycleCounters& Counters() const { return counters; }
    const std::array<std::int32_t, MaxPlaylistEntries>& PlayOrder() const {
        return queue.PlayOrder();
    }
    // With a folder, the folder as read at the start of the pass.
    const DesignFolder& Folder() const { return queue.Folder(); }
    std::int32_t LogoSlot() const { return logoSlot; }
    const char* CurrentPath() const { return currentPath.data(); }
    TickResult LastTick() const { return lastTick; }
    // What machine playback shows over the picture now; nothing in exact playback.
    MachineOverlay Overlay() const;
    // True from handing the load-failure message to the driver until the driver says it closed.
    bool ShowingMessage() const { return messageOpen; }
    // The driver closed the load-failure message: the run goes on, its timer running again.
    void OnMessageClosed();
    // A fresh run in place of one whose message is still open (the monitors changed under
    // it) takes that message over: its timer waits for the close too, and what the old run
    // knew still holds when it closes: nothing was left to play.
    void TakeOverOpenMessage(bool nothingLeftToPlay);
    // True when every entry of the playlist has failed to load since the last design that
    // loaded, and with a folder every design of the folder in this pass too (or there is none):
    // nothing is left to play.
    bool NothingCanBePlayed() const { return queue.NothingCanBePlayed(); }

  protected:
    WindowHost& Host() { return host; }
    // After the load-failure message has been closed, before the timer runs again.
    virtual void AfterMessageClosed() {}
    // At the close: nothing is left to play, as this run or the one it replaced found.
    bool NothingLeftAtMessageClose() const {
        return NothingCanBePlayed() || nothingLeftWhenTakenOver;
    }
    // A pass that had entries to try played none of them, and none is left that might play.
    virtual void OnNothingLeftToPlay() {}

  private:
    // The steps of a tick.
    TickResult RunTick(Surface& surface);
    void RestartTimer(std::int32_t periodMs);
    bool LoadDesign();
    void PlaceDesign();
    bool DrawStitches(Surface& surface);
    StitchPen Pen() const;
    // A Drawing tick: in machine playback a stop before the batch may take it instead.
    TickResult DrawNextBatch(Surface& surface);
    bool MachinePlays() const { return settings.playback == Playback::Machine; }
    void ShuffleLogoCorners();
    TickResult StartDesign(Surface& surface);
    // Nothing to play now: the screen is held, then the next tick looks again.
    TickResult WaitBeforeLookingAgain(TickResult result);
    TickResult FinishIfEnded(bool reachedEnd, TickResult otherwise);
    void ReportLoadFailure();
    ScreenSize Screen() const { return {screenWidth, screenHeight}; }

    WindowHost& host;
    Random& random;
    FileSystem& files;
    PathLimit pathLimit;

    bool isPreview = false;
    double drawScale = 1.0;
    Playlist playlist;
    SaverSettings settings{};
    std::unique_ptr<InputFile> designFile;
    Design design;
    StitchArray placedStitches;
    std::int32_t noticeRange = 0;
    std::int32_t screenWidth = 0;
    std::int32_t screenHeight = 0;

    CycleCounters counters;
    PlayQueue queue;  // what plays next; holds playPosition and playOrder
    std::int32_t logoSlot = 0;
    std::array<std::int32_t, LogoCornerCount> logoCornerOrder;
    std::array<char, MaxDesignPathBytes> currentPath{};
    LogoState logo;
    PlacementResult placement{};
    TickResult lastTick = TickResult::None;
    bool messageOpen = false;
    bool nothingLeftWhenTakenOver = false;
    MachinePlayback machine;
};

}  // namespace vireluna
