#include "drivers/headless/RenderSession.h"

#include <sstream>

#include "core/saver/DesignTicks.h"
#include "core/saver/MonitorRuns.h"
#include "core/saver/SaverRun.h"
#include "core/settings/RenderProfile.h"
#include "drivers/headless/RasterWindowHost.h"
#include "raster/MachineOverlayPainter.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"

namespace vireluna::headless {
namespace {

void Summarise(const CSaverWnd& window, std::int64_t ticks, RenderSummary& summary) {
    summary.design = window.CurrentPath();
    summary.angle = window.Placement().angle;
    summary.offsetX = window.Placement().offsetX;
    summary.offsetY = window.Placement().offsetY;
    if (!window.IsPreview()) summary.logoCorner = window.Logo().logoCorner;
    summary.ticks = ticks;
}

}  // namespace

bool RunRender(const RenderRequest& request, ProfileStore& profile, FileSystem& files,
               std::ostream& messages, RenderSummary& summary, std::string& error) {
    if (request.files.size() > MaxPlaylistEntries) {
        error = "give at most " + std::to_string(MaxPlaylistEntries) + " design files, not " +
                std::to_string(request.files.size());
        return false;
    }
    raster::RasterImage logo;
    if (!raster::ReadBmp(DefaultLogoPath(), logo)) {
        error = "cannot read the emblem picture '" + DefaultLogoPath() + "'";
        return false;
    }

    RenderProfile renderProfile(profile, request.configOverrides, request.files, request.folder);
    const ScreenSize screen = request.monitors ? request.monitors->Bounds().Size() : request.screen;
    const ScreenSize client = request.preview.value_or(screen);
    MessageLog log(messages);
    RasterWindowHost host(screen, client, std::move(logo), log);
    // The window of the saver's preview and full screen alike: no input reaches a render.
    const RunStart start{request.seed, request.ticks};
    MonitorRuns runs(RunMode::Picture, renderProfile, host, files, start,
                     request.monitors.value_or(MonitorLayout::Single(client)));
    runs.Start();
    const SaverRun& primary = runs.Primary();
    // Without a tick count the render ends with the first design, or stops rather than hang.
    const std::int64_t tickBound = MostTicksForOneDesign(primary.Window().Settings().playback);

    bool designDone = false;
    while (primary.MayTick() && (request.ticks || primary.Ticks() < tickBound) && !designDone) {
        if (!host.Timer().Running()) {
            error = "the saver stopped its timer";
            return false;
        }
        runs.Step();
        log.AnswerAfterStep(runs);
        if (primary.NothingCanBePlayed()) {
            error = "none of the design files could be loaded";
            return false;
        }
        designDone = !request.ticks && primary.Window().LastTick() == TickResult::DesignFinished;
    }
    if (!request.ticks && !designDone) {
        error = "the design did not finish within " + std::to_string(tickBound) + " ticks";
        return false;
    }

    // Machine playback's needle and thread over the picture, as the screen shows them.
    raster::RasterImage frame = host.Image();
    std::vector<MachineOverlay> overlays;
    runs.CollectOverlays(overlays);
    raster::PaintOverlays(raster::ViewOf(frame), 0, 0, overlays);
    if (!raster::WritePng(frame, request.output)) {
        error = "cannot write '" + request.output + "'";
        return false;
    }
    summary.seed = request.seed;
    Summarise(primary.Window(), primary.Ticks(), summary);
    return true;
}

std::string FormatSummary(const RenderSummary& summary) {
    std::ostringstream line;
    line << "seed " << summary.seed << ", design " << summary.design << ", angle " << summary.angle
         << ", offset (" << summary.offsetX << ", " << summary.offsetY << "), logo corner ";
    if (summary.logoCorner) {
        line << *summary.logoCorner;
    } else {
        line << "none";
    }
    line << ", ticks " << summary.ticks;
    return line.str();
}

bool CheckFilesOpen(ProfileStore& profile, FileSystem& files, std::string& error) {
    std::string failed;
    for (const std::string& file : MissingPlaylistFiles(profile, files)) {
        failed += (failed.empty() ? "'" : ", '") + file + "'";
    }
    if (failed.empty()) return true;
    error = "cannot open design file " + failed;
    return false;
}

}  // namespace vireluna::headless
