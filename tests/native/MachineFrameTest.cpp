// Machine playback's needle and thread go over the picture, never into it: a finished design
// is exact playback's picture pixel for pixel, and a frame differs from the picture only where
// the overlay lies.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/MonitorRuns.h"
#include "core/settings/SaverSettings.h"
#include "drivers/headless/RasterWindowHost.h"
#include "raster/MachineOverlayPainter.h"
#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"
#include "systems/posix/PosixFileSystem.h"

namespace vireluna {
namespace {

constexpr ScreenSize Screen{800, 600};
constexpr std::int64_t TickLimit = 100000;

struct Playing {
    MemoryProfileStore profile;
    PosixFileSystem files;
    std::ostringstream log;
    headless::MessageLog messages{log};
    headless::RasterWindowHost host{Screen, Screen, Emblem(), messages};
    std::optional<MonitorRuns> runs;

    Playing(const std::string& design, Playback playback, StitchLook look, std::uint32_t seed,
            const MonitorLayout& layout = MonitorLayout::Single(Screen)) {
        profile.WriteString(FileListSection, PlaylistEntryName(1),
                            std::string(VIRELUNA_SOURCE_DIR) + "/resources/designs/" + design);
        profile.WriteInteger(ConfigSection, "DrawStep", 3);
        profile.WriteInteger(ConfigSection, "Playback", static_cast<std::int32_t>(playback));
        profile.WriteInteger(ConfigSection, "Look", static_cast<std::int32_t>(look));
        runs.emplace(RunMode::FullScreen, profile, host, files, RunStart{seed, TickLimit}, layout);
        runs->Start();
    }
    static raster::RasterImage Emblem() {
        raster::RasterImage emblem;
        EXPECT_TRUE(raster::ReadBmp(DefaultLogoPath(), emblem));
        return emblem;
    }
    TickResult Step() {
        runs->Step();
        return runs->Primary().Window().LastTick();
    }
    // The window as it is shown: the picture with the overlays painted over a copy of it.
    raster::RasterImage Frame(const std::vector<MachineOverlay>& overlays) const {
        raster::RasterImage frame = host.Image();
        raster::PaintOverlays(raster::ViewOf(frame), 0, 0, overlays);
        return frame;
    }
    std::vector<MachineOverlay> Overlays() const {
        std::vector<MachineOverlay> overlays;
        runs->CollectOverlays(overlays);
        return overlays;
    }
};

// Pixels that differ, and the box around them.
struct Difference {
    long count = 0;
    raster::PixelBox box{};
};
Difference Compare(const raster::RasterImage& a, const raster::RasterImage& b) {
    Difference difference;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.PixelAt(x, y) == b.PixelAt(x, y)) continue;
            ++difference.count;
            difference.box = raster::Union(difference.box, {x, y, x + 1, y + 1});
        }
    }
    return difference;
}

bool Within(const raster::PixelBox& inner, const raster::PixelBox& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(MachineFrame, FinishedDesignIsExactPlaybacksPicture) {
    for (const StitchLook look : {StitchLook::Flat, StitchLook::Thread}) {
        for (const std::string design : {"blossom.pxs", "mandala.pxs"}) {
            Playing exact(design, Playback::Exact, look, 2026);
            Playing machine(design, Playback::Machine, look, 2026);
            while (exact.Step() != TickResult::DesignFinished) {
                ASSERT_LT(exact.runs->Ticks(), TickLimit);
            }
            int stops = 0;
            for (TickResult result; (result = machine.Step()) != TickResult::DesignFinished;) {
                ASSERT_LT(machine.runs->Ticks(), TickLimit);
                stops += result == TickResult::Travelled || result == TickResult::ChangedThread;
            }
            EXPECT_GT(stops, 0) << design;
            EXPECT_EQ(machine.runs->Ticks(), exact.runs->Ticks() + stops) << design;
            EXPECT_TRUE(machine.Overlays().empty()) << "no needle over a finished design";
            EXPECT_EQ(Compare(machine.host.Image(), exact.host.Image()).count, 0)
                << design << ", look " << static_cast<int>(look);
        }
    }
}

TEST(MachineFrame, TravelThreadIsPaintedOverThePictureOnlyWhileTravelling) {
    Playing machine("blossom.pxs", Playback::Machine, StitchLook::Thread, 7);
    // Well into a long travel, so the thread is many pixels long.
    std::vector<MachineOverlay> overlays;
    for (int travelled = 0; travelled < 3;) {
        ASSERT_LT(machine.runs->Ticks(), TickLimit) << "no long travel";
        const TickResult result = machine.Step();
        overlays = machine.Overlays();
        if (result != TickResult::Travelled) {
            travelled = 0;
            continue;
        }
        ASSERT_EQ(overlays.size(), 1u);
        const MachineOverlay& overlay = overlays.front();
        if (std::abs(overlay.needle.x - overlay.travelFrom.x) +
                std::abs(overlay.needle.y - overlay.travelFrom.y) >
            40) {
            ++travelled;
        }
    }
    const MachineOverlay travelling = overlays.front();
    ASSERT_TRUE(travelling.travel && travelling.lifted);

    const raster::RasterImage frame = machine.Frame(overlays);
    const Difference shown = Compare(frame, machine.host.Image());
    EXPECT_GT(shown.count, 0);
    EXPECT_TRUE(Within(shown.box, raster::OverlayBounds(travelling)))
        << "the overlay paints only within its bounds";
    MachineOverlay withoutThread = travelling;
    withoutThread.travel = false;
    EXPECT_GT(Compare(frame, machine.Frame({withoutThread})).count, 40)
        << "the travel thread is drawn, all along its length";

    // Sewing resumes: the thread is cut and the needle goes down at the new drop.
    while (machine.Step() != TickResult::Drew) ASSERT_LT(machine.runs->Ticks(), TickLimit);
    overlays = machine.Overlays();
    ASSERT_EQ(overlays.size(), 1u);
    EXPECT_FALSE(overlays.front().travel);
    EXPECT_FALSE(overlays.front().lifted);
    const Difference after = Compare(machine.Frame(overlays), machine.host.Image());
    EXPECT_GT(after.count, 0);
    EXPECT_TRUE(Within(after.box, raster::OverlayBounds(overlays.front())))
        << "nothing of the travel thread is left outside the needle and foot";
}

// Over two monitors each run's needle is moved to its monitor and never drawn on the other.
TEST(MachineFrame, EachMonitorsNeedleIsPaintedOnItsOwnMonitorOnly) {
    const MonitorLayout layout({{0, 0, 400, 600}, {400, 0, 400, 600}});
    Playing machine("blossom.pxs", Playback::Machine, StitchLook::Flat, 3, layout);
    std::vector<MachineOverlay> overlays;
    while (overlays.size() < 2) {
        ASSERT_LT(machine.runs->Ticks(), TickLimit) << "both monitors sew";
        machine.Step();
        overlays = machine.Overlays();
    }
    for (std::size_t place = 0; place < 2; ++place) {
        const MonitorRect area = layout.InWindow(place);
        const ClipRect own{area.left, area.top, area.left + area.width, area.top + area.height};
        const MachineOverlay& overlay = overlays[place];
        EXPECT_EQ(overlay.clip, own);
        EXPECT_GE(overlay.needle.x, own.left);
        EXPECT_LT(overlay.needle.x, own.right);
        const Difference painted = Compare(machine.Frame({overlay}), machine.host.Image());
        EXPECT_GT(painted.count, 0);
        EXPECT_TRUE(Within(painted.box, {own.left, own.top, own.right, own.bottom})) << place;
    }
}

}  // namespace
}  // namespace vireluna
