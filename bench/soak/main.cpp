// The soak run: the full-screen saver on two monitors plays designs one after another, as
// fast as it can step, and the process's memory is printed every so many designs. Memory
// that grows from the first samples to the last is a leak in the cycle. Prints figures; it
// fails only when it cannot run.
//
// Usage: vireluna_soak [--hold-time N] [DESIGNS [EVERY]]
//        vireluna_soak --write-designs FOLDER   (only writes the small designs, for the Windows
//                                                soak, and prints their paths)
//   default 20000 designs, a line every 1000, HoldTime 0. HoldTime 0 skips the hold, the pause
//   and the clearing of the screen, so each design is drawn over the last; a hold of 1 or
//   more soaks those too.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "bench/soak/ProcessMemory.h"
#include "bench/soak/SmallDesigns.h"
#include "core/design/DesignLimits.h"
#include "core/presentation/AnimationCycle.h"
#include "core/saver/MonitorRuns.h"
#include "core/settings/SaverSettings.h"
#include "drivers/headless/RasterWindowHost.h"
#include "raster/RasterImage.h"
#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"
#include "systems/posix/IniProfileStore.h"
#include "systems/posix/PosixFileSystem.h"

namespace {

using namespace vireluna;

constexpr long DefaultDesigns = 20000;
constexpr long DefaultEvery = 1000;
constexpr std::uint32_t Seed = 2026;
// The fastest tick and no hold: the most designs in the least time.
constexpr std::int32_t SoakDrawSpeed = 1;
constexpr std::int32_t DefaultHoldTime = 0;
constexpr std::string_view HoldTimeOption = "--hold-time";
constexpr std::string_view WriteDesignsOption = "--write-designs";
// A common pair of monitors: the primary, and a smaller one to its left, lower down.
const MonitorLayout Monitors({{0, 0, 1920, 1080}, {-1280, 56, 1280, 1024}});
// Every tick passes at least one record, so a design ends within this many ticks with its
// pause; more means the cycle is stuck.
constexpr std::int64_t MaxTicksForOneDesign = 2 * std::int64_t{MaxStitchRecords} + 2 * PauseTicks;
constexpr double Mebibyte = 1024.0 * 1024.0;

int CannotRun(const std::string& why) {
    std::cerr << "vireluna_soak: " << why << '\n';
    return EXIT_FAILURE;
}

std::string Describe(const MonitorRect& monitor) {
    char text[64];
    std::snprintf(text, sizeof text, "%dx%d%+d%+d", monitor.width, monitor.height, monitor.left,
                  monitor.top);
    return text;
}

struct SoakOptions {
    long designs = DefaultDesigns;
    long every = DefaultEvery;
    std::int32_t holdTime = DefaultHoldTime;
};

// A whole number from the command line of at least least.
bool ReadNumber(const char* text, long least, long& number) {
    char* end = nullptr;
    number = std::strtol(text, &end, 10);
    return *text != '\0' && *end == '\0' && number >= least && number <= INT32_MAX;
}

bool ReadOptions(int argc, char** argv, SoakOptions& options) {
    int next = 1;
    if (next < argc && argv[next] == HoldTimeOption) {
        long holdTime = 0;
        if (next + 1 >= argc || !ReadNumber(argv[next + 1], 0, holdTime)) return false;
        options.holdTime = static_cast<std::int32_t>(holdTime);
        next += 2;
    }
    if (next < argc && !ReadNumber(argv[next++], 1, options.designs)) return false;
    if (next < argc && !ReadNumber(argv[next++], 1, options.every)) return false;
    return next == argc;
}

// The profile a user of the soak settings would have: an INI file beside the designs.
bool WriteProfile(const std::filesystem::path& path, std::int32_t holdTime,
                  const std::vector<std::string>& playlist) {
    IniProfileStore profile(path.string());
    bool written = profile.WriteInteger(ConfigSection, "DrawSpeed", SoakDrawSpeed) &&
                   profile.WriteInteger(ConfigSection, "HoldTime", holdTime);
    for (std::size_t entry = 0; entry < playlist.size(); ++entry) {
        written = written && profile.WriteString(FileListSection,
                                                 PlaylistEntryName(static_cast<int>(entry) + 1),
                                                 playlist[entry]);
    }
    return written;
}

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vireluna-soak-XXXXXX");
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && argv[1] == WriteDesignsOption) {
        const std::vector<std::string> written = soak::WriteSmallDesigns(argv[2]);
        if (written.empty())
            return CannotRun("cannot write the small designs into " + std::string(argv[2]));
        for (const std::string& path : written) std::printf("%s\n", path.c_str());
        return EXIT_SUCCESS;
    }
    SoakOptions options;
    if (!ReadOptions(argc, argv, options)) {
        std::cerr << "usage: vireluna_soak [--hold-time N] [DESIGNS [EVERY]]\n"
                     "       vireluna_soak --write-designs FOLDER\n";
        return EXIT_FAILURE;
    }
    const TemporaryFolder folder;
    if (folder.Path().empty()) return CannotRun("cannot make a temporary folder");
    std::vector<std::string> playlist = soak::WriteSmallDesigns(folder.Path());
    if (playlist.empty()) return CannotRun("cannot write the small designs");
    const std::string bundled = FindDataFile("designs/logo.pxs");
    std::error_code missing;
    if (std::filesystem::is_regular_file(bundled, missing)) playlist.push_back(bundled);
    const std::filesystem::path profilePath = folder.Path() / "vireluna.ini";
    if (!WriteProfile(profilePath, options.holdTime, playlist))
        return CannotRun("cannot write the profile");
    raster::RasterImage emblem;
    if (!raster::ReadBmp(DefaultLogoPath(), emblem)) {
        return CannotRun("cannot read the emblem picture");
    }

    IniProfileStore profile(profilePath.string());
    PosixFileSystem files;
    headless::MessageLog messages(std::cerr);
    const ScreenSize bounds = Monitors.Bounds().Size();
    headless::RasterWindowHost host(bounds, bounds, std::move(emblem), messages);
    MonitorRuns runs(RunMode::FullScreen, profile, host, files, {Seed, std::nullopt}, Monitors);
    runs.Start();
    runs.ErasePending();

    std::printf("soak: %zu monitors (primary %s, then %s), DrawSpeed %d, HoldTime %d, seed %u\n",
                Monitors.Count(), Describe(Monitors.Monitor(0)).c_str(),
                Describe(Monitors.Monitor(1)).c_str(), SoakDrawSpeed, options.holdTime, Seed);
    std::printf("playlist:");
    for (const std::string& path : playlist) {
        std::printf(" %s", std::filesystem::path(path).filename().c_str());
    }
    std::printf("\n%8s %8s %14s %16s %9s\n", "designs", "second", "resident MiB", "heap in use KiB",
                "seconds");

    const auto start = std::chrono::steady_clock::now();
    std::vector<long> finished(Monitors.Count(), 0);
    std::optional<soak::MemoryFigures> first;
    std::optional<soak::MemoryFigures> last;
    long firstAt = 0;
    std::int64_t ticksSinceFinish = 0;
    raster::ChangedArea changed;
    while (finished[0] < options.designs) {
        // As an event loop steps it, then takes what changed as the X11 saver does; the
        // timer's period is not waited for.
        if (!host.Timer().Running()) return CannotRun("the saver stopped its timer");
        runs.Step();
        messages.AnswerAfterStep(runs);
        host.TakeChangedArea(changed);
        if (runs.NothingCanBePlayed()) return CannotRun("none of the designs could be loaded");
        if (host.CloseRequested()) return CannotRun("the saver asked to end");
        for (std::size_t place = 0; place < finished.size(); ++place) {
            const SaverRun* run = runs.RunAt(place);
            if (run != nullptr && run->Window().LastTick() == TickResult::DesignFinished) {
                ++finished[place];
            }
        }
        if (runs.Primary().Window().LastTick() != TickResult::DesignFinished) {
            if (++ticksSinceFinish > MaxTicksForOneDesign) {
                return CannotRun("no design finished within " +
                                 std::to_string(MaxTicksForOneDesign) + " ticks");
            }
            continue;
        }
        ticksSinceFinish = 0;
        if (finished[0] % options.every != 0) continue;
        const std::optional<soak::MemoryFigures> now = soak::ReadOwnMemory();
        if (!now) return CannotRun("cannot read /proc/self/statm");
        if (!first) {
            first = now;
            firstAt = finished[0];
        }
        last = now;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%8ld %8ld %14.2f %16.1f %9.1f\n", finished[0], finished[1],
                    now->residentBytes / Mebibyte, now->heapInUseBytes / 1024.0, seconds);
        std::fflush(stdout);
    }
    if (first && finished[0] > firstAt) {
        std::printf(
            "growth from %ld to %ld designs: resident %+.2f MiB (%+lld KiB), heap in use "
            "%+lld bytes\n",
            firstAt, finished[0], (last->residentBytes - first->residentBytes) / Mebibyte,
            static_cast<long long>((last->residentBytes - first->residentBytes) / 1024),
            static_cast<long long>(last->heapInUseBytes - first->heapInUseBytes));
    }
    return EXIT_SUCCESS;
}
