#include "shell/SaverWnd.h"

#include <string>

#include "design/DesignFiles.h"
#include "presentation/CollectionOrder.h"
#include "presentation/StitchDrawing.h"
#include "shell/PreviewRule.h"

namespace vireluna {

CSaverWnd::CSaverWnd(ProfileStore& profile, WindowHost& windowHost, Random& generator,
                     FileSystem& fileSystem)
    : host(windowHost),
      random(generator),
      files(fileSystem),
      pathLimit(fileSystem.DesignPathLimit()),
      designFile(fileSystem.NewInputFile()) {
    design.records = AllocateStitchArray();
    placedStitches = AllocateStitchArray();
    // Nothing is drawn before the first load, but neither array is left without an end.
    design.records[0] = StitchRecord(0, 0, StitchKind::End);
    placedStitches[0] = StitchRecord(0, 0, StitchKind::End);
    counters.colourIndex = 0;
    counters.drawPosition = 0;
    playOrder.fill(EmptySlot);
    logoCornerOrder.fill(EmptySlot);
    LoadSaverSettings(profile, fileSystem.DefaultDesignPath(), settings, playlist);
    folder = DesignFolder(playlist.folder);
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
    if (!playStarted) {
        playPosition = playlist.fileCount - 1;
        playStarted = true;
    }
    Surface& surface = host.AcquireSurface();
    lastTick = RunTick(surface);
    // Released before any message box: the box's own loop may repaint the window meanwhile.
    host.ReleaseSurface();
    if (lastTick == TickResult::LoadFailed) ReportLoadFailure();
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
    DrawNotice(surface, Screen(), noticeRange, random);
    if (!isPreview) {
        if (logoSlot == 0) ShuffleLogoCorners();
        SetLogoCorner(logoCornerOrder[logoSlot], Screen(), logo);
        logoSlot = (logoSlot + 1) % LogoCornerCount;
        DrawLogo(surface, logo);
    }
    const TickResult loaded = PlaysCollection() ? LoadFromCollection() : LoadFromList();
    if (loaded != TickResult::DesignStarted) return loaded;
    failedSinceLastLoad = 0;
    folderFailuresInPass = 0;
    PlaceDesign();
    const bool reachedEnd = DrawStitches(surface);
    if (MachinePlays()) machine.Start(placedStitches.get(), counters.drawPosition, drawScale);
    return FinishIfEnded(reachedEnd, TickResult::DesignStarted);
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

TickResult CSaverWnd::LoadFromList() {
    if (AdvancePlayPosition(playPosition, playlist.fileCount)) ShufflePlayOrder();
    return LoadListed(playOrder[playPosition]) ? TickResult::DesignStarted : TickResult::LoadFailed;
}

bool CSaverWnd::LoadListed(std::int32_t entry) {
    if (CopyDesignPath(playlist.paths[entry], pathLimit, currentPath) && LoadDesign()) return true;
    failedSinceLastLoad |= 1u << entry;
    failedEntry = entry;
    return false;
}

// The listed files and the folder's designs in one uniform order per pass. A listed file that
// fails is named as without a folder; a folder design that fails is passed over silently.
TickResult CSaverWnd::LoadFromCollection() {
    if (!collectionStarted || collectionPosition + 1 >= collectionOrder.size()) {
        StartCollectionPass();
    } else {
        ++collectionPosition;
    }
    if (collectionOrder.empty()) {
        // Nothing now, maybe later: hold the empty screen as an empty design, then look again.
        FinishDesign(counters, settings.HoldTime);
        return TickResult::NothingToPlay;
    }
    const auto listed = static_cast<std::uint32_t>(playlist.fileCount);
    for (int tried = 1;; ++tried) {
        const std::uint32_t entry = collectionOrder[collectionPosition];
        if (entry < listed) {
            return LoadListed(static_cast<std::int32_t>(entry)) ? TickResult::DesignStarted
                                                                : TickResult::LoadFailed;
        }
        if (folder.CopyPath(entry - listed, currentPath) && LoadDesign()) {
            return TickResult::DesignStarted;
        }
        ++folderFailuresInPass;
        // The next pass starts on a tick of its own, with the folder read again.
        if (tried == MaxFolderDesignsTriedPerTick ||
            collectionPosition + 1 >= collectionOrder.size()) {
            return TickResult::LoadSkipped;
        }
        ++collectionPosition;
    }
}

// Designs added or removed since the last pass are found here. A folder that cannot be read
// (gone, unmounted) gives none this pass; the listed files still play.
void CSaverWnd::StartCollectionPass() {
    const auto listed = static_cast<std::uint32_t>(playlist.fileCount);
    folder.Read(files, pathLimit, MaxCollectionEntries - listed);
    ShuffleCollection(collectionOrder, listed + folder.Count(), random);
    collectionPosition = 0;
    collectionStarted = true;
    folderFailuresInPass = 0;
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
    const std::string& path = playlist.paths[failedEntry];
    std::string text{FileNotFoundPrefix};
    text += path;
    ShowModalMessage(text, ApplicationTitle, MessageIcon::Stop);
}

void CSaverWnd::ShowModalMessage(std::string_view utf8Text, std::string_view utf8Caption,
                                 MessageIcon icon) {
    // With the timer stopped no further tick can open another box underneath this one.
    host.KillTimer();
    showingMessage = true;
    host.Show(utf8Text, utf8Caption, icon);
    showingMessage = false;
    OnMessageClosed();
    host.SetTimer(settings.timerPeriod);
}

bool CSaverWnd::NothingCanBePlayed() const {
    const std::uint32_t everyEntry = (1u << playlist.fileCount) - 1;
    const bool listedFailed = (failedSinceLastLoad & everyEntry) == everyEntry;
    if (!PlaysCollection()) return listedFailed;
    return listedFailed && collectionStarted && folderFailuresInPass >= folder.Count();
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

void CSaverWnd::ShufflePlayOrder() {
    ShuffleOrder(playOrder, playlist.fileCount, random);
}

void CSaverWnd::ShuffleLogoCorners() {
    ShuffleOrder(logoCornerOrder, LogoCornerCount, random);
}

}  // namespace vireluna
