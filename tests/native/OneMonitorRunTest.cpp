// One monitor is what every driver had before there were several: the runs' owner must play it
// byte for byte as a lone run does, full screen and in a preview alike.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/MonitorRuns.h"
#include "core/settings/SaverSettings.h"
#include "drivers/headless/RasterWindowHost.h"
#include "raster/RasterSurface.h"
#include "systems/posix/DataFolder.h"
#include "systems/posix/PosixFileSystem.h"

namespace vireluna {
namespace {

struct Playing {
    MemoryProfileStore profile;
    PosixFileSystem files;
    std::ostringstream log;
    headless::MessageLog messages{log};
    headless::RasterWindowHost host;

    Playing(ScreenSize screen, ScreenSize client) : host(screen, client, Emblem(), messages) {
        profile.WriteString(FileListSection, PlaylistEntryName(1),
                            std::string(VIRELUNA_SOURCE_DIR) + "/resources/designs/koi.pxs");
        // Fast and short, so a few hundred ticks go through drawing, hold, pause and clearing.
        profile.WriteInteger(ConfigSection, "DrawStep", 3);
        profile.WriteInteger(ConfigSection, "HoldTime", 5);
    }
    static raster::RasterImage Emblem() {
        raster::RasterImage emblem;
        EXPECT_TRUE(raster::ReadBmp(DefaultLogoPath(), emblem));
        return emblem;
    }
};

bool SamePicture(const raster::RasterImage& a, const raster::RasterImage& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.PixelAt(x, y) != b.PixelAt(x, y)) return false;
        }
    }
    return true;
}

TEST(OneMonitor, PlaysByteForByteWhatALoneRunPlays) {
    constexpr ScreenSize Screen{480, 360};
    constexpr int Ticks = 700;
    for (const ScreenSize client : {Screen, ScreenSize{160, 120}}) {
        for (const RunMode mode : {RunMode::FullScreen, RunMode::Picture}) {
            Playing lone(Screen, client), owned(Screen, client);
            SaverRun run(mode, lone.profile, lone.host, lone.files, {11, Ticks});
            run.Start(client);
            MonitorRuns runs(mode, owned.profile, owned.host, owned.files, {11, Ticks},
                             MonitorLayout::Single(client));
            runs.Start();
            for (int tick = 0; tick < Ticks; ++tick) {
                run.Step();
                runs.Step();
                if (tick % 50 != 0) continue;
                ASSERT_TRUE(SamePicture(lone.host.Image(), owned.host.Image()))
                    << "client " << client.width << ", tick " << tick;
            }
            EXPECT_TRUE(SamePicture(lone.host.Image(), owned.host.Image()));
            EXPECT_EQ(runs.Ticks(), Ticks);
            EXPECT_EQ(lone.log.str(), owned.log.str());
        }
    }
}

}  // namespace
}  // namespace vireluna
