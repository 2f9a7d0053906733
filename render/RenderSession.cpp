#include "render/RenderSession.h"

#include <memory>
#include <sstream>

#include "design/DesignLimits.h"
#include "platform/InputFile.h"
#include "platform/Random.h"
#include "platform/posix/PosixPathLimit.h"
#include "presentation/Placement.h"
#include "render/RasterImage.h"
#include "render/RasterSurface.h"
#include "render/RasterWindowHost.h"
#include "shell/RenderProfile.h"
#include "shell/SaverSettings.h"
#include "shell/SaverWnd.h"

namespace vireluna::raster {
namespace {

// Every drawing tick passes at least one record, so a design is done within this many ticks;
// more means the cycle is stuck, and the render stops rather than hang.
constexpr std::int64_t MaxTicksForOneDesign = 2 * static_cast<std::int64_t>(MaxStitchRecords);

// The window's repaint, handled before the next timer message as the message loop does.
void ErasePending(RasterWindowHost& host, CSaverWnd& window) {
    if (!host.TakePendingErase()) return;
    const ScreenSize client = host.ClientSize();
    window.OnEraseBkgnd(host.AcquireSurface(), client.width, client.height);
    host.ReleaseSurface();
}

void Summarise(const CSaverWnd& window, std::int64_t ticks, RenderSummary& summary) {
    summary.design = window.CurrentPath();
    summary.angle = window.Placement().angle;
    summary.offsetX = window.Placement().offsetX;
    summary.offsetY = window.Placement().offsetY;
    if (!window.IsPreview()) summary.logoCorner = window.Logo().logoCorner;
    summary.ticks = ticks;
}

}  // namespace

bool RunRender(const RenderRequest& request, ProfileStore& profile, std::ostream& messages,
               RenderSummary& summary, std::string& error) {
    if (request.files.empty() || request.files.size() > MaxPlaylistEntries) {
        error = "give 1 to " + std::to_string(MaxPlaylistEntries) + " design files, not " +
                std::to_string(request.files.size());
        return false;
    }
    RasterImage logo;
    if (!raster::ReadBmp(raster::DefaultLogoPath(), logo)) {
        error = "cannot read the emblem picture '" + raster::DefaultLogoPath() + "'";
        return false;
    }

    RenderProfile renderProfile(profile, request.configOverrides, request.files);
    Random random(request.seed);
    const ScreenSize client = request.preview.value_or(request.screen);
    auto host =
        std::make_unique<RasterWindowHost>(request.screen, client, std::move(logo), messages);
    CSaverWnd window(renderProfile, *host, random, PosixPathLimit);
    window.OnCreate();
    window.OnSize(client.width, client.height);
    host->InvalidateWithErase();  // the window's first paint

    const std::int64_t tickLimit = request.ticks.value_or(MaxTicksForOneDesign);
    const std::int32_t fileCount = window.Files().fileCount;
    std::int32_t failedInARow = 0;
    std::int64_t ticks = 0;
    bool designDone = false;
    while (ticks < tickLimit && !designDone) {
        if (!host->TimerRunning()) {
            error = "the saver stopped its timer";
            return false;
        }
        ErasePending(*host, window);
        window.OnTimer();
        ++ticks;
        if (window.LastTick() == TickResult::LoadFailed) {
            // A load that fails leaves the cycle at the start of a design; once every file of
            // the playlist has failed there is nothing left to draw.
            if (++failedInARow >= fileCount) {
                error = "none of the design files could be loaded";
                return false;
            }
        } else {
            failedInARow = 0;
        }
        designDone = !request.ticks && window.LastTick() == TickResult::DesignFinished;
    }
    if (!request.ticks && !designDone) {
        error = "the design did not finish within " + std::to_string(tickLimit) + " ticks";
        return false;
    }
    ErasePending(*host, window);

    if (!raster::WritePng(host->Image(), request.output)) {
        error = "cannot write '" + request.output + "'";
        return false;
    }
    summary.seed = request.seed;
    Summarise(window, ticks, summary);
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

bool CheckFilesOpen(const std::vector<std::string>& files, std::string& error) {
    std::string failed;
    for (const std::string& file : files) {
        InputFile probe;
        if (probe.Open(file.c_str())) continue;
        failed += (failed.empty() ? "'" : ", '") + file + "'";
    }
    if (failed.empty()) return true;
    error = "cannot open design file " + failed;
    return false;
}

}  // namespace vireluna::raster
