#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "core/saver/SaverWnd.h"
#include "tests/core/FakeWindowHost.h"
#include "tests/core/SystemFiles.h"
#include "tests/core/TestPathLimit.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna {
namespace {

using fakes::SurfaceCallKind;
using Point = std::pair<int, int>;

constexpr ScreenSize Screen{1024, 768};
constexpr ScreenSize Preview{256, 192};
constexpr int HoldTime = 50;     // the shortest hold the settings allow
constexpr int TimerPeriod = 40;  // DrawSpeed 4; DrawStep 2 draws 3 stitches a tick
// Logo top-left per corner: 10 from the sides and the top, 40 from the bottom, 96 x 109.
constexpr std::array<Point, 4> LogoAt{{{10, 10}, {918, 10}, {918, 619}, {10, 619}}};

// A rejection shuffle of count values, told another way: the distinct remainders of the draws
// in the order they first appear, drawing until all have appeared.
std::vector<std::int32_t> FirstAppearances(Random& random, int count) {
    std::vector<std::int32_t> order;
    while (static_cast<int>(order.size()) < count) {
        const std::int32_t value = random.Next() % count;
        if (std::find(order.begin(), order.end(), value) == order.end()) order.push_back(value);
    }
    return order;
}

using fakes::Utf8;
std::u8string AsU8(const std::string& utf8) {
    return {utf8.begin(), utf8.end()};
}
struct FolderRemover {
    std::filesystem::path folder;
    ~FolderRemover() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

using testing::TestPathLimit;

class SaverWndTest : public ::testing::Test {
  protected:
    SaverWndTest() {
        for (const auto& [entry, value] : {std::pair{"HoldTime", HoldTime},
                                           {"DrawStep", 2},
                                           {"DrawSpeed", 4},
                                           {"PenSize", 2},
                                           {"Reduction", 100},
                                           {"Rotation", 0}}) {
            profile.WriteInteger(ConfigSection, entry, value);
        }
    }
    ~SaverWndTest() override {
        std::error_code ignored;
        for (const std::string& path : written) {
            std::filesystem::remove(std::filesystem::path(AsU8(path)), ignored);
        }
    }

    std::string TempPath(const std::string& name) const {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        return (std::filesystem::temp_directory_path() / ("vireluna_wnd_" + test + name)).string();
    }
    // Stitches step units apart along a line, nothing else.
    std::string Line(const std::string& path, int stitches, int step = 10) {
        pxs::PxsWriter writer;
        for (int i = 0; i < stitches; ++i) writer.Move(step, 0);
        writer.End();
        EXPECT_TRUE(writer.WriteFile(path));
        written.push_back(path);
        return path;
    }

    void Open(const std::vector<std::string>& playlist, ScreenSize client = Screen) {
        for (std::size_t i = 0; i < playlist.size(); ++i) {
            profile.WriteString(FileListSection, PlaylistEntryName(int(i) + 1), playlist[i]);
        }
        window = std::make_unique<CSaverWnd>(profile, host, random, files);
        window->OnCreate();
        window->OnSize(client.width, client.height);
    }
    // A timer message, and the answer to a message it handed over.
    TickResult Tick() {
        window->OnTimer();
        EXPECT_EQ(host.surfacesHeld, 0) << "the tick kept its drawing context";
        host.AnswerMessage(*window);
        return window->LastTick();
    }
    std::size_t Count(SurfaceCallKind kind) const { return host.surface.CallsOf(kind).size(); }
    // Ticks until one draws the notice, which only the start of a design does.
    TickResult TickToNextStart() {
        const std::size_t notices = Count(SurfaceCallKind::DrawText);
        TickResult result = TickResult::None;
        for (int i = 0; i < 1000 && Count(SurfaceCallKind::DrawText) == notices; ++i) {
            result = Tick();
        }
        return result;
    }
    std::vector<Point> LogoPositions() const {
        std::vector<Point> positions;
        for (const auto& call : host.surface.CallsOf(SurfaceCallKind::DrawLogo)) {
            positions.emplace_back(call.ints[0], call.ints[1]);
        }
        return positions;
    }

    MemoryProfileStore profile;
    fakes::FakeWindowHost host{Screen};
    Random random{20260108};
    fakes::SystemFileSystem files;
    std::unique_ptr<CSaverWnd> window;
    std::vector<std::string> written;
};

TEST_F(SaverWndTest, FullScreenDrawsHoldsPausesFortyTwoTicksThenClears) {
    Open({Line(TempPath("a"), 7)});
    EXPECT_FALSE(window->IsPreview());
    EXPECT_EQ(host.timerPeriod, TimerPeriod);
    EXPECT_EQ(Tick(), TickResult::DesignStarted);  // 7 stitches, 3 a tick
    ASSERT_GE(host.surface.calls.size(), 3u);
    EXPECT_EQ(host.surface.calls[0].kind, SurfaceCallKind::DrawText);
    EXPECT_EQ(host.surface.calls[1].kind, SurfaceCallKind::DrawLogo);
    EXPECT_EQ(host.surface.calls[2].kind, SurfaceCallKind::SetPen);
    EXPECT_EQ(Tick(), TickResult::Drew);
    EXPECT_EQ(Tick(), TickResult::DesignFinished);
    const auto lines = host.surface.Lines();
    EXPECT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines.back().width, 3);  // PenSize 2
    EXPECT_EQ(window->Counters().holdTicks, HoldTime);

    for (int i = 1; i < HoldTime; ++i) ASSERT_EQ(Tick(), TickResult::Held) << i;
    EXPECT_EQ(Tick(), TickResult::HoldEnded);
    EXPECT_EQ(window->Counters().pauseCount, 255);
    for (int i = 1; i < 42; ++i) ASSERT_EQ(Tick(), TickResult::Paused) << i;
    EXPECT_EQ(window->Counters().pauseCount, 132);
    EXPECT_EQ(host.eraseRequests, 0);
    EXPECT_EQ(Tick(), TickResult::PauseEnded);
    EXPECT_EQ(host.eraseRequests, 1);
    EXPECT_EQ(Tick(), TickResult::DesignStarted);
    EXPECT_EQ(host.eraseRequests, 1) << "a start does not clear";
}

// HoldTime 0 means no hold and no clearing; a negative one would never end and counts as 0.
TEST_F(SaverWndTest, HoldTimeZeroOrBelowStartsTheNextDesignAtOnceWithoutClearing) {
    for (const int holdTime : {0, -3}) {
        SCOPED_TRACE(holdTime);
        profile.WriteInteger(ConfigSection, "HoldTime", holdTime);
        Open({Line(TempPath("a"), 3)});
        EXPECT_EQ(Tick(), TickResult::DesignFinished);
        const std::size_t notices = Count(SurfaceCallKind::DrawText);
        EXPECT_EQ(Tick(), TickResult::DesignFinished) << "the next design, drawn over this one";
        EXPECT_EQ(Count(SurfaceCallKind::DrawText), notices + 1);
        EXPECT_EQ(host.eraseRequests, 0);
    }
}

// A hand-edited PenSize beyond the page draws as wide as it says, up to the widest pen.
TEST_F(SaverWndTest, PenSizeBeyondTheOptionPageDrawsWiderLines) {
    for (const auto& [penSize, width] : {std::pair{5, 6}, {63, 64}, {1000, 64}, {-7, 1}}) {
        profile.WriteInteger(ConfigSection, "PenSize", penSize);
        host.surface.calls.clear();
        Open({Line(TempPath("a"), 3)});
        EXPECT_EQ(Tick(), TickResult::DesignFinished);
        const auto lines = host.surface.Lines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().width, width) << penSize;
    }
}

TEST_F(SaverWndTest, PreviewScalesThinLinesShowsNoLogoAndClearsAtTheHoldEnd) {
    Open({Line(TempPath("a"), 3)}, Preview);
    EXPECT_TRUE(window->IsPreview());
    EXPECT_EQ(Tick(), TickResult::DesignFinished);  // the first batch reaches the end
    const StitchRecord* placed = window->PlacedStitches();
    const auto lines = host.surface.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].width, 1);
    EXPECT_EQ(lines[1].x1, static_cast<int>(placed[2].x * 0.25));
    EXPECT_EQ(lines[1].y1, static_cast<int>(placed[2].y * 0.25));

    for (int i = 1; i < HoldTime; ++i) ASSERT_EQ(Tick(), TickResult::Held);
    EXPECT_EQ(Tick(), TickResult::HoldEnded);
    EXPECT_EQ(host.eraseRequests, 1);
    EXPECT_EQ(Tick(), TickResult::DesignFinished) << "no pause";
    EXPECT_EQ(Count(SurfaceCallKind::DrawLogo), 0u);
    EXPECT_EQ(window->LogoSlot(), 0);
}

TEST_F(SaverWndTest, EveryPassPlaysEachFileOnceInTheShuffledOrder) {
    const std::vector<std::string> files = {Line(TempPath("a"), 2), Line(TempPath("b"), 2),
                                            Line(TempPath("c"), 2)};
    Open(files, Preview);
    for (int pass = 0; pass < 3; ++pass) {
        std::set<std::string> played;
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(TickToNextStart(), TickResult::DesignFinished);
            EXPECT_EQ(window->CurrentPath(), files[window->PlayOrder()[k]]);
            played.insert(window->CurrentPath());
        }
        EXPECT_EQ(played.size(), 3u) << "pass " << pass;
    }
}

TEST_F(SaverWndTest, FailedLoadShowsOneBoxWhileTheTimerIsStoppedAndStaysAtTheStart) {
    const std::string missing = TempPath("missing");
    Open({missing});
    for (std::size_t k = 1; k <= 3; ++k) {
        window->OnTimer();
        EXPECT_EQ(window->LastTick(), TickResult::LoadFailed);
        // The message is the driver's to show now; the timer waits for its close.
        EXPECT_TRUE(window->ShowingMessage());
        EXPECT_FALSE(host.timerRunning);
        ASSERT_TRUE(host.AnswerMessage(*window));
        EXPECT_FALSE(window->ShowingMessage());
        ASSERT_EQ(host.messages.size(), k);
        // "ファイルが見つかりません" (file not found), two line breaks, the path.
        EXPECT_EQ(host.messages.back().text,
                  "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x81\x8C\xE8\xA6\x8B"
                  "\xE3\x81\xA4\xE3\x81\x8B\xE3\x82\x8A\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93\n\n" +
                      missing);
        EXPECT_EQ(host.messages.back().caption, "VirelunaLogo");
        EXPECT_EQ(host.messages.back().icon, MessageIcon::Stop);
        EXPECT_FALSE(host.messages.back().timerRunningWhileOpen);
        EXPECT_TRUE(host.timerRunning);
        EXPECT_EQ(host.timerPeriod, TimerPeriod);
    }
    EXPECT_EQ(Count(SurfaceCallKind::DrawText), 3u) << "each tick was a start";
    EXPECT_EQ(host.eraseRequests, 0);
}

// Under Windows' limit of 259 UTF-16 units, a path through Japanese folders plays at its
// longest, far beyond 259 bytes; one character more is refused before it is opened, and the
// message names it in full.
TEST_F(SaverWndTest, DesignPathIsMeasuredInThePlatformsUnit) {
    const std::string embroidery = "\xE5\x88\xBA";  // one UTF-16 unit, three bytes
    const std::filesystem::path base = std::filesystem::temp_directory_path() / "vireluna_long";
    std::string path = Utf8(base);
    ASSERT_TRUE(std::all_of(path.begin(), path.end(), [](char c) { return c > 0; })) << path;
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    int units = static_cast<int>(path.size());
    // Folders of 80 characters: 240 bytes, within a file name's 255.
    constexpr int FolderCharacters = 80;
    const std::string extension = ".pxs";
    while (TestPathLimit.longest - units > FolderCharacters + 1 + 5) {
        path += separator;
        for (int i = 0; i < FolderCharacters; ++i) path += embroidery;
        units += 1 + FolderCharacters;
    }
    const FolderRemover remover{base};
    std::filesystem::create_directories(std::filesystem::path(AsU8(path)));
    path += separator;
    std::string name;
    for (int i = 0; i < TestPathLimit.longest - units - 1 - int(extension.size()); ++i) {
        name += embroidery;
    }
    const std::string longest = Line(path + name + extension, 1);
    const std::string oneMore = Line(path + name + embroidery + extension, 1);
    ASSERT_GT(longest.size(), 600u);

    Open({longest});
    EXPECT_EQ(Tick(), TickResult::DesignFinished);
    EXPECT_EQ(window->CurrentPath(), longest);
    Open({oneMore});
    EXPECT_EQ(Tick(), TickResult::LoadFailed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, std::string(FileNotFoundPrefix) + oneMore);
}

TEST_F(SaverWndTest, LogoCornersFollowAFreshOrderEveryFourDesignsFailedOnesIncluded) {
    Random reference = random;
    Open({TempPath("missing")});
    // Each start draws the notice, the corner order at a round's start, and the play order of
    // its one file (one draw).
    std::vector<Point> expected;
    std::vector<std::int32_t> corners;
    for (int k = 0; k < 12; ++k) {
        reference.Next();
        if (k % 4 == 0) corners = FirstAppearances(reference, 4);
        reference.Next();
        expected.push_back(LogoAt[corners[k % 4]]);
        ASSERT_EQ(Tick(), TickResult::LoadFailed);
        EXPECT_EQ(window->PlayOrder()[0], 0);
    }
    EXPECT_EQ(LogoPositions(), expected);
    EXPECT_EQ(random.State(), reference.State());
}

// The first design draws: notice, corner order, play order, angle, offset x, offset y.
TEST_F(SaverWndTest, FirstDesignDrawsInTheOrderOfTheSteps) {
    profile.WriteInteger(ConfigSection, "Rotation", 2);  // angle (r mod 90) - 45
    // Two stitches 100 apart: each end is 50 from the centre (150, 0).
    const std::vector<std::string> files = {Line(TempPath("a"), 2, 100),
                                            Line(TempPath("b"), 2, 100)};
    Random reference = random;
    Open(files);
    ASSERT_EQ(Tick(), TickResult::DesignFinished);

    const int noticeDraw = reference.Next();
    const int corner = FirstAppearances(reference, 4)[0];
    const int file = FirstAppearances(reference, 2)[0];
    const double theta = (reference.Next() % 90 - 45) * std::numbers::pi / 180;
    const int offsetXDraw = reference.Next();
    const int offsetYDraw = reference.Next();
    EXPECT_EQ(random.State(), reference.State()) << "no other draw";

    EXPECT_EQ(host.surface.CallsOf(SurfaceCallKind::DrawText)[0].ints[0],
              noticeDraw % 724 / 10 * 10);
    EXPECT_EQ(LogoPositions(), std::vector<Point>{LogoAt[corner]});
    EXPECT_EQ(window->CurrentPath(), files[file]);

    const auto turned = [&](int dx) {
        return Point(static_cast<int>(std::lround(dx * std::cos(theta))) + 150,
                     static_cast<int>(std::lround(-dx * std::sin(theta))));
    };
    const auto [x0, y0] = turned(-50);
    const auto [x1, y1] = turned(50);
    int offsetX = offsetXDraw % (1024 - std::abs(x1 - x0)) - std::min(x0, x1);
    const int offsetY = offsetYDraw % (768 - std::abs(y1 - y0)) - std::min(y0, y1);
    // Beside the logo, the design moves sideways off it.
    const auto [logoX, logoY] = LogoAt[corner];
    const int left = std::min(x0, x1) + offsetX;
    const int right = std::max(x0, x1) + offsetX;
    const bool beside =
        corner < 2 ? std::max(y0, y1) + offsetY < logoY + 109 : std::min(y0, y1) + offsetY > logoY;
    const bool leftCorner = corner == 0 || corner == 3;
    if (beside && leftCorner && left < logoX + 96) offsetX += logoX + 96 - left;
    if (beside && !leftCorner && right > logoX) offsetX += logoX - right;

    EXPECT_EQ(window->Placement().offsetY, offsetY);
    const StitchRecord* placed = window->PlacedStitches();
    EXPECT_EQ(Point(placed[0].x, placed[0].y), Point(x0 + offsetX, y0 + offsetY));
    EXPECT_EQ(Point(placed[1].x, placed[1].y), Point(x1 + offsetX, y1 + offsetY));
}

}  // namespace
}  // namespace vireluna
