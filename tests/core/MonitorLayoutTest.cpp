#include <gtest/gtest.h>

#include <set>

#include "core/ports/Random.h"
#include "core/saver/MonitorLayout.h"

namespace vireluna {
namespace {

// A desk with a portrait monitor left of the primary and a small one above it, right.
const std::vector<MonitorRect> MixedDesk = {
    {0, 0, 1920, 1080},         // primary
    {-1080, -420, 1080, 1920},  // portrait, its top above the primary's
    {1920, -768, 1024, 768},    // small, above the primary's right edge
};

TEST(MonitorLayoutTest, BoundsHoldEveryMonitorWithNegativeOrigins) {
    const MonitorLayout layout(MixedDesk);
    ASSERT_EQ(layout.Count(), 3u);
    // From the portrait's left edge to the small one's right, its top to the portrait's bottom.
    EXPECT_EQ(layout.Bounds(), (MonitorRect{-1080, -768, 1080 + 1920 + 1024, 768 - 420 + 1920}));
}

TEST(MonitorLayoutTest, EachMonitorMapsIntoTheWindowAtItsPlaceOnTheVirtualScreen) {
    const MonitorLayout layout(MixedDesk);
    EXPECT_EQ(layout.InWindow(0), (MonitorRect{1080, 768, 1920, 1080}));
    EXPECT_EQ(layout.InWindow(1), (MonitorRect{0, 348, 1080, 1920}));
    EXPECT_EQ(layout.InWindow(2), (MonitorRect{3000, 0, 1024, 768}));
    // The window's corner is the bounds' corner, so every area lies inside the client.
    const MonitorRect bounds = layout.Bounds();
    for (std::size_t place = 0; place < layout.Count(); ++place) {
        const MonitorRect area = layout.InWindow(place);
        EXPECT_GE(area.left, 0);
        EXPECT_GE(area.top, 0);
        EXPECT_LE(area.Right(), bounds.width);
        EXPECT_LE(area.Bottom(), bounds.height);
    }
}

TEST(MonitorLayoutTest, OneMonitorIsTheWholeScreenAtTheOrigin) {
    const MonitorLayout layout = MonitorLayout::Single({1024, 768});
    ASSERT_EQ(layout.Count(), 1u);
    EXPECT_EQ(layout.Bounds(), (MonitorRect{0, 0, 1024, 768}));
    EXPECT_EQ(layout.InWindow(0), layout.Bounds());
}

TEST(MonitorLayoutTest, MonitorsWithoutAreaAndMirrorsAreLeftOutAndTheSurplusOnlyCovered) {
    std::vector<MonitorRect> reported = {{0, 0, 1920, 1080},
                                         {0, 0, 1920, 1080},  // mirrored
                                         {1920, 0, 0, 1080},  // no width
                                         {1920, 0, 1280, -1},
                                         {2147483000, 0, 1000, 10}};  // past the last coordinate
    for (int i = 1; i <= 40; ++i) reported.push_back({i * 100, 2000, 100, 100});
    const MonitorLayout layout(reported);
    ASSERT_EQ(layout.Count(), MaxMonitors);
    EXPECT_EQ(layout.Monitor(0), (MonitorRect{0, 0, 1920, 1080}));
    EXPECT_EQ(layout.Monitor(1), (MonitorRect{100, 2000, 100, 100}));
    // The surplus plays no run, but the window covers it all the same.
    EXPECT_EQ(layout.Bounds(), (MonitorRect{0, 0, 4100, 2100}));
    reported.back().width = 200;
    EXPECT_NE(MonitorLayout(reported), layout) << "a surplus monitor that grew is a new layout";
    EXPECT_TRUE(MonitorLayout({{0, 0, 0, 0}}).Empty());
    EXPECT_EQ(MonitorLayout().Bounds(), MonitorRect{});
}

// A monitor inside another shows part of that one's picture (a mirror of another size): it
// gets no run of its own, whichever of the two is listed first.
TEST(MonitorLayoutTest, AMonitorInsideAnotherIsLeftOut) {
    const MonitorRect large{0, 0, 1280, 1024};
    const MonitorRect small{0, 0, 1024, 768};
    const MonitorRect beside{1280, 0, 800, 600};
    const MonitorRect corner{1280 + 400, 300, 400, 300};  // inside beside
    EXPECT_EQ(MonitorLayout({large, small}).Monitors(), (std::vector<MonitorRect>{large}));
    // The primary mirrored on a larger monitor: the larger plays in the primary's place.
    EXPECT_EQ(MonitorLayout({small, beside, corner, large}).Monitors(),
              (std::vector<MonitorRect>{large, beside}));
    EXPECT_EQ(MonitorLayout({corner, small, beside}).Monitors(),
              (std::vector<MonitorRect>{beside, small}));
}

TEST(MonitorSeedTest, ThePrimaryKeepsTheMainSeedAndTheOthersGetTheirOwn) {
    EXPECT_EQ(MonitorSeed(2026, 0), 2026u);
    EXPECT_EQ(MonitorSeed(0, 0), 0u);
    std::set<std::uint32_t> seeds;
    for (std::uint32_t main : {0u, 1u, 2u, 2026u, 0xFFFFFFFFu}) {
        for (std::size_t place = 0; place < MaxMonitors; ++place) {
            seeds.insert(MonitorSeed(main, place));
            EXPECT_EQ(MonitorSeed(main, place), MonitorSeed(main, place));  // reproducible
        }
    }
    EXPECT_EQ(seeds.size(), 5 * MaxMonitors);
}

TEST(MonitorSeedTest, ASecondMonitorDoesNotReplayThePrimarysDraws) {
    // Its sequence is not the primary's shifted by a few draws.
    Random primary(2026);
    std::vector<int> primaryDraws;
    for (int i = 0; i < 200; ++i) primaryDraws.push_back(primary.Next());
    Random second(MonitorSeed(2026, 1));
    const std::vector<int> firstThree = {second.Next(), second.Next(), second.Next()};
    for (std::size_t i = 0; i + 3 <= primaryDraws.size(); ++i) {
        EXPECT_FALSE(std::equal(firstThree.begin(), firstThree.end(), primaryDraws.begin() + i));
    }
}

}  // namespace
}  // namespace vireluna
