#include "core/saver/SaverWnd.h"

#include <algorithm>
#include <string>

#include "core/design/DesignFileLoader.h"
#include "core/presentation/StitchDrawing.h"
#include "core/saver/PreviewRule.h"

namespace vireluna {

CSaverWnd::CSaverWnd(ProfileStore& profile, WindowHost& windowHost, Random& generator,
                     FileSystem& fileSystem, FolderListing* listing)
    : host(windowHost),
      random(generator),
      files(fileSystem),
      pathLimit(fileSystem.DesignPathLimit()),
      designFile(fileSystem.NewInputFile()),
      queue(playlist, fileSystem, generator, listing) {
    design.records = AllocateStitchArray();
    placedStitches = AllocateStitchArray();
    // Nothing is drawn before the first load, but neither array is left without an end.
    design.records[0] = StitchRecord(0, 0, StitchKind::End);
    placedStitches[0] = StitchRecord(0, 0, StitchKind::End);
    counters.colourIndex = 0;
    counters.drawPosition = 0;
    logoCornerOrder.fill(EmptySlot);
    LoadSaverSettings(profile, fileSystem.DefaultDesignPath(), settings, playlist);
}

void CSaverWnd::OnCreate() {
    const ScreenSize screen = host.GetScreenSize();
    screenWidth = screen.width;
    screenHeight = screen.height;
    noticeRange = screenWidth - NoticeRangeMargin;
    RestartTimer(settings.timerPeriod);
}

void CSaverWnd::OnSize(int clientWidth, int /*clientHeight*/) {
    // Measured against the screen as it is now, as the size message does.
    const int currentScreenWidth = host.GetScreenSize().width;
    isPreview = IsPreviewWindow(clientWidth, currentScreenWidth);
    drawScale =
        currentScreenWidth > 0 ? static_cast<double>(clientWidth) / currentScreenWidth : 1.0;
}

bool CSaverWnd::OnEraseBkgnd(Surface& surface, int clientWidth, int clientHeight) {
    return ::vireluna::OnEraseBkgnd(surface, clientWidth, clientHeight);
}

void CSaverWnd::RestartTimer(std::int32_t periodMs) {
    host.KillTimer();
    host.SetTimer(periodMs);
}

void CSaverWnd::OnTimer() {
    Surface& surface = host.AcquireSurface();
    lastTick = RunTick(surface);
    host.ReleaseSurface();
    if (lastTick == TickResult::LoadFailed) ReportLoadFailure();
    if (lastTick == TickResult::NothingPlayed && NothingCanBePlayed()) OnNothingLeftToPlay();
}

TickResult CSaverWnd::RunTick(Surface& surface) {
    switch (PhaseOf(counters)) {
        case CyclePhase::Pausing:
            if (!StepPause(counters)) return TickResult::Paused;
            host.InvalidateWithErase();
            return TickResult::PauseEnded;
        case CyclePhase::Holding:
            if (!StepHold(counters)) return TickResult::Held;
            if (isPreview) {
                host.InvalidateWithErase();
            } else {
                StartPause(counters);
            }
            return TickResult::HoldEnded;
        case CyclePhase::Drawing:
            return DrawNextBatch(surface);
        case CyclePhase::Start:
            break;
    }
    return StartDesign(surface);
}

TickResult CSaverWnd::StartDesign(Surface& surface) {
    // The notice's draw and a new corner order come before the choice, as they always have,
    // but the notice and the emblem are drawn only with something to show beside them: a
    // folder design passed over leaves nothing on the screen and takes no corner.
    Random noticeDraw = random;
    random.Next();
    if (!isPreview && logoSlot == 0) ShuffleLogoCorners();
    const Pick pick = queue.LoadNext(currentPath, [this] { return LoadDesign(); });
    if (pick == Pick::Skipped) return TickResult::LoadSkipped;
    if (pick == Pick::NothingPlayed) return WaitBeforeLookingAgain(TickResult::NothingPlayed);
    DrawNotice(surface, Screen(), noticeRange, noticeDraw);
    if (!isPreview) {
        SetLogoCorner(logoCornerOrder[logoSlot], Screen(), logo);
        logoSlot = (logoSlot + 1) % LogoCornerCount;
        DrawLogo(surface, logo);
    }
    if (pick == Pick::ListedFailed) return TickResult::LoadFailed;
    if (pick == Pick::NothingToPlay) return WaitBeforeLookingAgain(TickResult::NothingToPlay);
    PlaceDesign();
    const bool reachedEnd = DrawStitches(surface);
    if (MachinePlays()) machine.Start(placedStitches.get(), counters.drawPosition, drawScale);
    return FinishIfEnded(reachedEnd, TickResult::DesignStarted);
}

TickResult CSaverWnd::WaitBeforeLookingAgain(TickResult result) {
    // Held as an empty design: the screen stays as it is, then a new look.
    FinishDesign(counters, std::max(settings.HoldTime, MinTicksBeforeLookingAgain));
    return result;
}

TickResult CSaverWnd::DrawNextBatch(Surface& surface) {
    if (MachinePlays()) {
        switch (machine.Step(placedStitches.get(), design, Pen(), counters.drawPosition,
                             counters.colourIndex, settings.timerPeriod)) {
            case MachinePlayback::Tick::Travel:
                return TickResult::Travelled;
            case MachinePlayback::Tick::ThreadChange:
                return TickResult::ChangedThread;
            case MachinePlayback::Tick::Sew:
                break;
        }
    }
    const bool reachedEnd = DrawStitches(surface);
    if (MachinePlays()) machine.Sewn(placedStitches.get(), counters.drawPosition, drawScale);
    return FinishIfEnded(reachedEnd, TickResult::Drew);
}

TickResult CSaverWnd::FinishIfEnded(bool reachedEnd, TickResult otherwise) {
    if (!reachedEnd) return otherwise;
    FinishDesign(counters, settings.HoldTime);
    machine.Stop();
    return TickResult::DesignFinished;
}

MachineOverlay CSaverWnd::Overlay() const {
    if (!MachinePlays() || PhaseOf(counters) != CyclePhase::Drawing) return {};
    return machine.Overlay(MachineOverlayScale(settings.Reduction, drawScale, screenHeight));
}

void CSaverWnd::ReportLoadFailure() {
    // The playlist entry itself, so a path too long for currentPath is named in full.
    const std::string& path = playlist.paths[queue.FailedEntry()];
    std::string text{FileNotFoundPrefix};
    text += path;
    // With the timer stopped no further tick can hand another message while this one is up.
    host.KillTimer();
    messageOpen = true;
    if (!host.OpenMessage(text, ApplicationTitle, MessageIcon::Stop)) OnMessageClosed();
}

void CSaverWnd::OnMessageClosed() {
    // Only the message this run is waiting for restarts its timer.
    if (!messageOpen) return;
    messageOpen = false;
    AfterMessageClosed();
    nothingLeftWhenTakenOver = false;
    host.SetTimer(settings.timerPeriod);
}

void CSaverWnd::TakeOverOpenMessage(bool nothingLeftToPlay) {
    host.KillTimer();
    messageOpen = true;
    nothingLeftWhenTakenOver = nothingLeftToPlay;
}

bool CSaverWnd::LoadDesign() {
    return LoadDesignFile(*designFile, currentPath.data(), settings.Reduction, design);
}

void CSaverWnd::PlaceDesign() {
    ::vireluna::PlaceDesign(design, settings.Rotation, Screen(), isPreview ? nullptr : &logo,
                            random, placedStitches.get(), placement,
                            settings.fit == FitToScreen::On);
}

StitchPen CSaverWnd::Pen() const {
    return {PenWidthFor(isPreview, settings.PenSize), settings.stitchesPerTick, drawScale,
            settings.look, ThreadWidthFor(settings.Reduction, drawScale)};
}

bool CSaverWnd::DrawStitches(Surface& surface) {
    return ::vireluna::DrawStitches(surface, placedStitches.get(), design, Pen(),
                                    counters.drawPosition, counters.colourIndex);
}

void CSaverWnd::ShuffleLogoCorners() {
    ShuffleOrder(logoCornerOrder, LogoCornerCount, random);
}

}  // namespace vireluna
