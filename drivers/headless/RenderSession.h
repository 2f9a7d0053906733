#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ports/FileSystem.h"
#include "core/ports/ProfileStore.h"
#include "core/ports/WindowHost.h"
#include "core/saver/MonitorLayout.h"

namespace vireluna::headless {

inline constexpr ScreenSize DefaultRenderScreen{1024, 768};

struct RenderRequest {
    std::vector<std::string> files;  // the playlist, up to 20 entries; none: the profile's
    // A folder of designs instead of the profile's; with no files it plays alone.
    std::optional<std::string> folder;
    ScreenSize screen = DefaultRenderScreen;
    std::optional<ScreenSize> preview;  // a client area of this size inside the screen
    // Full screen over these monitors, the picture being their bounds; screen is unused then.
    std::optional<MonitorLayout> monitors;
    std::uint32_t seed = 0;
    std::optional<std::int32_t>
        ticks;  // run exactly this many; else until the first design is done
    std::map<std::string, std::int32_t> configOverrides;  // "Config" entry to value
    std::string output;                                   // PNG path
};

// With several monitors, the primary's run.
struct RenderSummary {
    std::uint32_t seed = 0;
    std::string design;  // the file of the last design started
    int angle = 0;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
    std::optional<std::int32_t> logoCorner;  // none in the preview
    std::int64_t ticks = 0;
};

// Drives the saver window's own cycle over a window in memory, tick by tick, as the message
// loop would, and writes the client area as a PNG. Message boxes go to messages. A file that
// fails to load is passed over as the saver does; once every file has failed, the render
// stops. On failure error says why and nothing is written.
bool RunRender(const RenderRequest& request, ProfileStore& profile, FileSystem& files,
               std::ostream& messages, RenderSummary& summary, std::string& error);

std::string FormatSummary(const RenderSummary& summary);

// The saver's start-up check of the profile's playlist: false, with error naming every file
// that is not there.
bool CheckFilesOpen(ProfileStore& profile, FileSystem& files, std::string& error);

}  // namespace vireluna::headless
