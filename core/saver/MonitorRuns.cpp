#include "core/saver/MonitorRuns.h"

#include "core/presentation/Background.h"

namespace vireluna {

MonitorRuns::MonitorRuns(RunMode mode, ProfileStore& profile, WindowHost& window, FileSystem& files,
                         RunStart start, const MonitorLayout& layout)
    : mode_(mode),
      profile_(profile),
      window_(window),
      files_(files),
      start_(start),
      layout_(layout) {
    for (std::size_t place = 0; place < layout_.Count(); ++place) runs_.push_back(MakeRun(place));
}

MonitorRuns::Run MonitorRuns::MakeRun(std::size_t place) {
    Run made;
    if (layout_.Count() == 1) {
        made.run = std::make_unique<SaverRun>(mode_, profile_, window_, files_, start_, &listing_);
        return made;
    }
    made.host = std::make_unique<MonitorWindowHost>(window_, layout_.InWindow(place), place == 0);
    if (place == 0) {
        made.run =
            std::make_unique<SaverRun>(mode_, profile_, *made.host, files_, start_, &listing_);
        return made;
    }
    // The primary has read the settings, which every run shares.
    if (runs_.front().run->Window().Settings().monitors != OtherMonitors::Stitch) return made;
    // Input is the primary's to judge: the others only draw.
    made.run = std::make_unique<SaverRun>(
        RunMode::Picture, profile_, *made.host, files_,
        RunStart{MonitorSeed(start_.seed, place), start_.tickLimit}, &listing_);
    return made;
}

void MonitorRuns::StartRun(Run& run) {
    if (!run.run) return;
    run.run->Start(run.host ? run.host->Area().Size() : window_.ClientSize());
}

void MonitorRuns::Start() {
    for (Run& run : runs_) StartRun(run);
    // The field between and around the monitors; one run has asked for it itself.
    if (!OnWholeWindow()) window_.InvalidateWithErase();
}

void MonitorRuns::OnSize(int clientWidth, int clientHeight) {
    if (OnWholeWindow()) runs_.front().run->OnSize(clientWidth, clientHeight);
}

bool MonitorRuns::Erase(Surface& surface, int clientWidth, int clientHeight) {
    if (OnWholeWindow()) return runs_.front().run->Erase(surface, clientWidth, clientHeight);
    return ::vireluna::OnEraseBkgnd(surface, clientWidth, clientHeight);
}

void MonitorRuns::EraseWindow() {
    if (!window_.TakePendingErase()) return;
    const ScreenSize client = window_.ClientSize();
    ::vireluna::OnEraseBkgnd(window_.AcquireSurface(), client.width, client.height);
    window_.ReleaseSurface();
}

void MonitorRuns::Step() {
    if (OnWholeWindow()) return runs_.front().run->Step();
    EraseWindow();
    for (Run& run : runs_) {
        if (run.run) run.run->Step();
    }
}

void MonitorRuns::ErasePending() {
    if (OnWholeWindow()) return runs_.front().run->ErasePending();
    EraseWindow();
    for (Run& run : runs_) {
        if (run.run) run.run->ErasePending();
    }
}

void MonitorRuns::CollectOverlays(std::vector<MachineOverlay>& into) const {
    if (OnWholeWindow()) return runs_.front().run->CollectOverlays(into);
    std::vector<MachineOverlay> ofRun;
    for (const Run& run : runs_) {
        if (!run.run) continue;
        ofRun.clear();
        run.run->CollectOverlays(ofRun);
        const MonitorRect& area = run.host->Area();
        for (const MachineOverlay& overlay : ofRun) {
            MachineOverlay placed = overlay.Moved(area.left, area.top);
            placed.clip = {area.left, area.top, area.left + area.width, area.top + area.height};
            into.push_back(placed);
        }
    }
}

void MonitorRuns::OnLayoutChange(const MonitorLayout& layout) {
    if (layout.Empty()) return;
    ApplyLayout(layout);
}

void MonitorRuns::ApplyLayout(const MonitorLayout& layout) {
    if (layout == layout_) return;
    const MonitorLayout before = layout_;
    const bool messageOpen = Primary().ShowingMessage();
    const bool nothingLeft = Primary().NothingCanBePlayed();
    // When the window moves or changes size every picture has moved in it: all start afresh.
    const bool sameWindow = before.Bounds() == layout.Bounds();
    if (moveWindow_) moveWindow_(layout);
    const std::optional<ScreenPoint> pointer = PointerOnScreen();
    layout_ = layout;
    const std::vector<bool> kept = KeepOrMakeRuns(before, sameWindow);
    if (sameWindow) {
        ClearAreasLeft(before, kept);
    } else {
        window_.InvalidateWithErase();
    }
    for (std::size_t place = 0; place < runs_.size(); ++place) {
        if (!kept[place]) StartRun(runs_[place]);
    }
    // The box is still up: the fresh primary's timer waits for its close as the old one did.
    if (!kept.front() && messageOpen) runs_.front().run->TakeOverOpenMessage(nothingLeft);
    // A fresh primary takes the pointer's first position over, the same place on the screen.
    CFullScreenSaverWnd* rules = InputRules();
    if (!kept.front() && pointer && rules != nullptr) {
        rules->OnMouseMove(pointer->x - layout_.Bounds().left, pointer->y - layout_.Bounds().top);
    }
}

std::optional<MonitorRuns::ScreenPoint> MonitorRuns::PointerOnScreen() {
    const CFullScreenSaverWnd* rules = InputRules();
    if (rules == nullptr || rules->LastMouseX() == NoPointerYet) return std::nullopt;
    const MonitorRect bounds = layout_.Bounds();
    return ScreenPoint{rules->LastMouseX() + bounds.left, rules->LastMouseY() + bounds.top};
}

std::vector<bool> MonitorRuns::KeepOrMakeRuns(const MonitorLayout& before, bool sameWindow) {
    std::vector<Run> old = std::move(runs_);
    runs_.clear();
    std::vector<bool> kept(layout_.Count(), false);
    for (std::size_t place = 0; place < layout_.Count(); ++place) {
        // Same place and rectangle in the same window: its run goes on where it is. The one
        // run of a single monitor had the window to itself, so it cannot share it now.
        if (sameWindow && place < before.Count() && old[place].host &&
            before.Monitor(place) == layout_.Monitor(place)) {
            runs_.push_back(std::move(old[place]));
            kept[place] = true;
        } else {
            runs_.push_back(MakeRun(place));
        }
    }
    return kept;
}

void MonitorRuns::ClearAreasLeft(const MonitorLayout& before, const std::vector<bool>& kept) {
    // A monitor that is gone or changed leaves its area as plain field.
    Surface& whole = window_.AcquireSurface();
    for (std::size_t place = 0; place < before.Count(); ++place) {
        if (place < kept.size() && kept[place]) continue;
        const MonitorRect area = before.InWindow(place);
        whole.FillRect(area.left, area.top, area.left + area.width, area.top + area.height,
                       BackgroundColour);
    }
    window_.ReleaseSurface();
}

}  // namespace vireluna
