#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/ports/FileSystem.h"
#include "core/ports/ProfileStore.h"
#include "core/ports/WindowHost.h"
#include "core/saver/FolderListing.h"
#include "core/saver/MonitorLayout.h"
#include "core/saver/MonitorWindowHost.h"
#include "core/saver/SaverRun.h"

namespace vireluna {

// The saver's runs in one window, what every driver steps. Over several monitors the window
// covers the virtual screen, with one SaverRun per monitor, each in its own area with its own
// placement, emblem corner and notice. The primary's run has the main seed, so it plays
// exactly what a one-monitor saver plays; it holds the timer and the input rules of the whole
// window. Another monitor's run has a seed of its own (MonitorSeed), or, when the settings
// keep the others plain (Monitors 1), there is none and its area keeps the field colour.
// A layout of one monitor (a single screen, a preview, a window) is one run straight on the
// window, so it plays byte for byte what a lone SaverRun plays.
class MonitorRuns final : public SteppedSaver {
  public:
    // layout: on the screen; the window covers its bounds. One monitor: the window's client.
    MonitorRuns(RunMode mode, ProfileStore& profile, WindowHost& window, FileSystem& files,
                RunStart start, const MonitorLayout& layout);
    MonitorRuns(const MonitorRuns&) = delete;
    MonitorRuns& operator=(const MonitorRuns&) = delete;

    // Creates and sizes every run and asks for the window's first paint.
    void Start();
    // One timer message: the window's erase if one is pending, then a tick of every run.
    void Step() override;
    // The window's erase, then each monitor's.
    void ErasePending() override;
    // One run has the window's size; over several monitors the window follows the layout.
    void OnSize(int clientWidth, int clientHeight) override;
    // The erase of the whole window, for a system that asks for it (WM_ERASEBKGND).
    bool Erase(Surface& surface, int clientWidth, int clientHeight);
    // How the driver puts its window over a layout's bounds (and anything else of its own that
    // follows the monitors); called before the runs follow the layout.
    void SetWindowMover(std::function<void(const MonitorLayout& layout)> moveWindow) {
        moveWindow_ = std::move(moveWindow);
    }
    // Another layout while the saver runs: the window moves over its bounds, the run of a
    // monitor whose rectangle is still there at the same place goes on, every other monitor
    // starts afresh, and the window is erased once. An empty layout changes nothing. A fresh
    // primary takes over a load-failure message that is still open, and with it whether
    // anything is left to play.
    void OnLayoutChange(const MonitorLayout& layout);
    // The primary's load-failure message was closed.
    void OnMessageClosed() override { runs_.front().run->OnMessageClosed(); }

    bool MayTick() const { return Primary().MayTick(); }
    std::int64_t Ticks() const { return Primary().Ticks(); }
    bool NothingCanBePlayed() const { return Primary().NothingCanBePlayed(); }
    const SaverRun& Primary() const { return *runs_.front().run; }
    // Pointer positions in window coordinates; null unless in full screen.
    CFullScreenSaverWnd* InputRules() override { return runs_.front().run->InputRules(); }
    // Each monitor's, moved to its place and kept within it.
    void CollectOverlays(std::vector<MachineOverlay>& into) const override;
    const MonitorLayout& Layout() const { return layout_; }
    // The run on the monitor at this place, or null for a plain monitor.
    const SaverRun* RunAt(std::size_t place) const { return runs_[place].run.get(); }

  private:
    struct Run {
        std::unique_ptr<MonitorWindowHost> host;  // null for the one run on the whole window
        std::unique_ptr<SaverRun> run;            // null on a plain monitor
    };
    Run MakeRun(std::size_t place);
    // One run, straight on the window: no area host between them.
    bool OnWholeWindow() const { return !runs_.front().host; }
    void StartRun(Run& run);
    void EraseWindow();
    // The steps of a new layout.
    struct ScreenPoint {
        int x, y;
    };
    void ApplyLayout(const MonitorLayout& layout);
    std::optional<ScreenPoint> PointerOnScreen();
    // Moves over the runs that go on and makes the others; true at the places kept.
    std::vector<bool> KeepOrMakeRuns(const MonitorLayout& before, bool sameWindow);
    // before's monitors not kept (at their places in it) turn to field.
    void ClearAreasLeft(const MonitorLayout& before, const std::vector<bool>& kept);

    RunMode mode_;
    ProfileStore& profile_;
    WindowHost& window_;
    FileSystem& files_;
    RunStart start_;
    MonitorLayout layout_;
    FolderListing listing_;  // every run's: the folder read once a pass, not once a monitor
    std::vector<Run> runs_;  // by place
    std::function<void(const MonitorLayout&)> moveWindow_;
};

}  // namespace vireluna
