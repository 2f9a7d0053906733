#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "bench/SampleDesigns.h"
#include "core/ports/MemoryProfileStore.h"
#include "core/saver/SaverRun.h"
#include "core/saver/SaverWnd.h"
#include "drivers/headless/RasterWindowHost.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"
#include "systems/posix/PosixFileSystem.h"

namespace vireluna::bench {

inline constexpr ScreenSize LargeScreen{1920, 1080};
inline constexpr std::uint32_t LargeScreenSeed = 2026;

// One saver run on a 1920 x 1080 raster playing the largest sample, with the settings the
// benchmark writes into its profile before Start.
struct LargeScreenRun {
    MemoryProfileStore profile;
    std::ostringstream messages;
    std::optional<headless::MessageLog> log;
    std::optional<headless::RasterWindowHost> host;
    PosixFileSystem files;
    std::optional<SaverRun> run;

    // False, with the benchmark skipped, when the sample or the emblem is missing.
    bool Start(benchmark::State& state, RunMode mode, const char* label) {
        const std::string sample = LargestSampleDesign();
        raster::RasterImage logo;
        if (!std::filesystem::exists(sample) || !raster::ReadBmp(DefaultLogoPath(), logo)) {
            state.SkipWithError("the large sample design or the emblem is missing");
            return false;
        }
        profile.WriteString(FileListSection, PlaylistEntryName(1), sample);
        log.emplace(messages);
        host.emplace(LargeScreen, LargeScreen, std::move(logo), *log);
        run.emplace(mode, profile, *host, files, RunStart{LargeScreenSeed, std::nullopt});
        run->Start(LargeScreen);
        state.SetLabel(label);
        return true;
    }

    const CSaverWnd& Window() const { return run->Window(); }
};

}  // namespace vireluna::bench
