#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/ports/MemoryProfileStore.h"
#include "drivers/headless/RenderSession.h"
#include "systems/posix/PosixFileSystem.h"
#include "tests/native/ProfileTestFolder.h"
#include "tests/native/ToolRun.h"
#include "tools/pxs/PxsWriter.h"

namespace vireluna {
namespace {

using testing::ReadFile;

constexpr int ZigzagStitches = 30;
constexpr int DefaultStitchesPerTick = 3;

// Pixels that are not the light-blue background in [left, right) x [top, bottom) of a PNG.
int CountStitched(const std::string& path, int left, int top, int right, int bottom) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return -1;
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) return -1;
    if (right > int(image.width) || bottom > int(image.height)) return -1;
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const std::uint8_t* pixel = &rgb[3 * (std::size_t(y) * image.width + x)];
            count += pixel[0] == 190 && pixel[1] == 215 && pixel[2] == 255 ? 0 : 1;
        }
    }
    return count;
}

int Field(const std::string& summary, const std::string& pattern) {
    std::smatch match;
    return std::regex_search(summary, match, std::regex(pattern)) ? std::stoi(match[1]) : -1;
}

class RenderCommand : public ::testing::Test {
  protected:
    using Run = testing::ToolRun;

    std::string PathOf(const std::string& name) const { return folder.Path() + "/" + name; }

    // ZigzagStitches stitches 10 units apart, going right and up and down, in one colour.
    std::string Zigzag() {
        pxs::PxsWriter writer;
        for (int i = 0; i < ZigzagStitches; ++i) writer.Move(10, i % 2 == 0 ? 40 : -40);
        writer.End();
        EXPECT_TRUE(writer.WriteFile(PathOf("zigzag.pxs")));
        return PathOf("zigzag.pxs");
    }

    // With a profile of its own, so that the user's plays no part.
    Run Render(const std::string& arguments) const {
        return testing::RunTool(
            "render " + arguments + " --profile '" + PathOf("profile.ini") + "'", folder.Path());
    }

    testing::TempFolder folder;
};

TEST_F(RenderCommand, DrawsTheFirstDesignWholeWithLogoAndNoticeAsTheSeedDecides) {
    const std::string design = Zigzag();
    const std::string png = PathOf("full.png");
    const Run run = Render(design + " -o " + png + " --screen 640x480 --seed 11");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Field(run.out, R"(ticks (\d+))"), ZigzagStitches / DefaultStitchesPerTick);
    EXPECT_NE(run.out.find("seed 11, design " + design), std::string::npos) << run.out;

    const int corner = Field(run.out, R"(logo corner (\d))");
    ASSERT_GE(corner, 0) << run.out;
    const int logoLeft = corner == 0 || corner == 3 ? 10 : 640 - 106;
    const int logoTop = corner < 2 ? 10 : 480 - 149;
    const int logo = CountStitched(png, logoLeft, logoTop, logoLeft + 96, logoTop + 109);
    const int notice = CountStitched(png, 0, 480 - 30, 640, 480);
    EXPECT_GT(logo, 500);
    EXPECT_GT(notice, 100);
    const int stitches = CountStitched(png, 0, 0, 640, 480) - logo - notice;
    EXPECT_GT(stitches, 100);
    EXPECT_LT(stitches, 640 * 480 / 10) << "stitched on the light-blue field";

    const std::string picture = ReadFile(png);
    ASSERT_EQ(Render(design + " -o " + png + " --screen 640x480 --seed 11").status, 0);
    EXPECT_EQ(ReadFile(png), picture);
    ASSERT_EQ(Render(design + " -o " + png + " --screen 640x480 --seed 12").status, 0);
    EXPECT_NE(ReadFile(png), picture);
}

TEST_F(RenderCommand, PreviewIsTheScaledClientAreaWithoutLogo) {
    const std::string png = PathOf("preview.png");
    const Run run = Render(Zigzag() + " -o " + png + " --screen 800x600 --preview 200x150");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("logo corner none"), std::string::npos) << run.out;
    EXPECT_EQ(CountStitched(png, 0, 0, 200, 151), -1) << "the picture is the client area";
    const int stitched = CountStitched(png, 0, 0, 200, 150);
    EXPECT_GT(stitched, 20);
    EXPECT_LT(stitched, 1000) << "a quarter-size zigzag in thin lines";
}

TEST_F(RenderCommand, TicksRunTheCycleThroughHoldAndPauseToTheClearing) {
    const std::string design = Zigzag();
    const int cleared = ZigzagStitches / DefaultStitchesPerTick + 50 + 42;
    const auto stitchedAfter = [&](int ticks) {
        const std::string png = PathOf("ticks.png");
        const Run run = Render(design + " -o " + png + " --hold-time 50 --screen 640x480" +
                               " --ticks " + std::to_string(ticks));
        EXPECT_EQ(Field(run.out, R"(ticks (\d+))"), ticks) << run.err;
        return CountStitched(png, 0, 0, 640, 480);
    };
    EXPECT_GT(stitchedAfter(cleared - 1), 0) << "the pause's last tick clears";
    EXPECT_EQ(stitchedAfter(cleared), 0);
    EXPECT_GT(stitchedAfter(cleared + 1), 0) << "the next design starts";
}

TEST_F(RenderCommand, CommandLineSettingsOverrideTheProfile) {
    const std::string design = Zigzag();
    testing::WriteFile(PathOf("profile.ini"), "[Config]\nDrawStep=0\n");
    Run run = Render(design + " -o " + PathOf("a.png"));
    EXPECT_EQ(Field(run.out, R"(ticks (\d+))"), ZigzagStitches) << "one stitch a tick";
    run = Render(design + " -o " + PathOf("a.png") + " --draw-step 3");
    EXPECT_EQ(Field(run.out, R"(ticks (\d+))"), ZigzagStitches / 5) << "five a tick";
}

// The command line's own faults are the tool test's; these are the ones only a run finds.
TEST_F(RenderCommand, RefusesWhatItCannotDoWithAClearMessage) {
    const std::string design = Zigzag();
    const std::string png = " -o " + PathOf("never.png");
    for (const auto& [arguments, message] :
         {std::pair{PathOf("missing.pxs") + " " + PathOf("gone.pxs") + png, "gone.pxs"},
          {design + " -o " + PathOf("no/folder/x.png"), "cannot write"}}) {
        const Run run = Render(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
    EXPECT_FALSE(std::filesystem::exists(PathOf("never.png")));
}

// A smaller monitor mirroring the primary's corner used to get a run of its own: two designs,
// emblems and notices over each other. The picture is the primary's alone.
TEST_F(RenderCommand, AMonitorInsideThePrimaryAddsNothing) {
    const std::string common = Zigzag() + " --seed 5 --ticks 40 -o ";
    ASSERT_EQ(Render(common + PathOf("alone.png") + " --screen 1280x1024").status, 0);
    const Run mirrored =
        Render(common + PathOf("mirrored.png") + " --monitors 1280x1024+0+0,1024x768+0+0");
    ASSERT_EQ(mirrored.status, 0) << mirrored.err;
    EXPECT_EQ(ReadFile(PathOf("mirrored.png")), ReadFile(PathOf("alone.png")));
}

// Seventeen monitors used to be refused with a message that did not name the limit, while the
// saver covered sixteen. One rule: sixteen play, the seventeenth keeps the field colour.
TEST_F(RenderCommand, MonitorsPastTheSixteenthKeepTheFieldColour) {
    std::string monitors;
    for (int place = 0; place < 17; ++place) {
        monitors += (place == 0 ? "" : ",") + std::string("320x240+") +
                    std::to_string(320 * (place % 6)) + "+" + std::to_string(240 * (place / 6));
    }
    const Run run = Render(Zigzag() + " --seed 3 --ticks 30 --monitors " + monitors + " -o " +
                           PathOf("seventeen.png"));
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string png = PathOf("seventeen.png");
    EXPECT_GT(CountStitched(png, 320 * 3, 480, 320 * 4, 720), 0) << "the sixteenth";
    EXPECT_EQ(CountStitched(png, 320 * 4, 480, 320 * 5, 720), 0) << "the seventeenth";
    const Run help = testing::RunTool("render --help", folder.Path());
    EXPECT_NE(help.out.find("16 play at most"), std::string::npos) << help.out;
}

// With no file named, the saver's own playlist plays: the entries up to the first empty one,
// each of which must open, as the saver's start demands; entries after a gap never play.
TEST_F(RenderCommand, WithoutFilesPlaysTheProfilesPlaylist) {
    const std::string design = Zigzag();
    const std::string png = " -o " + PathOf("playlist.png");
    testing::WriteFile(PathOf("profile.ini"), "[Display File List]\nFile01=" + design +
                                                  "\nFile02=\nFile03=" + PathOf("gone.pxs") + "\n");
    Run run = Render(png + " --seed 4");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("design " + design + ","), std::string::npos) << run.out;

    testing::WriteFile(PathOf("profile.ini"), "[Display File List]\nFile01=" + design +
                                                  "\nFile02=" + PathOf("gone.pxs") + "\n");
    run = Render(png);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot open design file '" + PathOf("gone.pxs") + "'"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find(design), std::string::npos) << "only the failing entry is named";
}

// A folder given alone plays alone, its designs found in sub-folders too; the profile's folder
// plays with its list; a folder that is not there is named.
TEST_F(RenderCommand, PlaysAFolderAloneOrWithTheList) {
    const std::string design = Zigzag();
    std::filesystem::create_directories(PathOf("collection/deeper"));
    std::filesystem::rename(design, PathOf("collection/deeper/zigzag.PXS"));
    testing::WriteFile(PathOf("collection/readme.txt"), "not a design");
    const std::string png = " -o " + PathOf("folder.png");
    Run run = Render("--folder " + PathOf("collection") + png + " --seed 4");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("design " + PathOf("collection/deeper/zigzag.PXS") + ","),
              std::string::npos)
        << run.out;

    testing::WriteFile(PathOf("profile.ini"),
                       "[Display File List]\nFile01=\nFolder=" + PathOf("collection") + "\n");
    run = Render(png);
    EXPECT_EQ(run.status, 0) << run.err;

    run = Render("--folder " + PathOf("nowhere") + png);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("'" + PathOf("nowhere") + "'"), std::string::npos) << run.err;
}

// A design ten times too wide may land wholly off the screen, as this seed puts it; with --fit
// it is shrunk into the screen, clear of its edges.
TEST_F(RenderCommand, FitBringsALargeDesignOntoTheScreenClearOfItsEdges) {
    const std::string design = Zigzag() + " --reduction 1000 --rotation 0 --seed 6 -o ";
    ASSERT_EQ(Render(design + PathOf("large.png")).status, 0);
    ASSERT_EQ(Render(design + PathOf("fitted.png") + " --fit").status, 0);
    const auto middle = [&](const std::string& png) {
        return CountStitched(png, 120, 0, 900, 700);
    };
    const auto edges = [&](const std::string& png) {
        return CountStitched(png, 0, 0, 5, 768) + CountStitched(png, 1019, 0, 1024, 768);
    };
    EXPECT_EQ(middle(PathOf("large.png")), 0);
    EXPECT_GT(middle(PathOf("fitted.png")), 0);
    EXPECT_EQ(edges(PathOf("fitted.png")), 0);
}

// A hand-edited profile's extremes run a whole design through reader, placement, drawing and
// the raster without a fault (the sanitizer tree checks every step) and with a picture.
TEST_F(RenderCommand, ExtremeSettingsRenderAWholeDesignWithoutFaults) {
    const std::map<std::string, std::int32_t> extremes[] = {
        {{"Reduction", INT32_MAX}, {"PenSize", INT32_MAX}, {"Rotation", INT32_MIN}},
        {{"Reduction", INT32_MIN}, {"PenSize", 63}, {"Rotation", 3}},
        {{"Reduction", 0}, {"PenSize", INT32_MIN}, {"HoldTime", INT32_MIN}},
        {{"Reduction", -100}, {"PenSize", 9}, {"Rotation", -1}, {"DrawSpeed", INT32_MAX}},
    };
    for (const auto& overrides : extremes) {
        MemoryProfileStore profile;
        PosixFileSystem files;
        headless::RenderRequest request;
        request.files = {std::string(VIRELUNA_SOURCE_DIR) + "/resources/designs/koi.pxs"};
        request.output = PathOf("extreme.png");
        request.screen = {320, 240};
        request.seed = 5;
        request.configOverrides = overrides;
        request.configOverrides["DrawStep"] = 3;
        std::ostringstream messages;
        headless::RenderSummary summary;
        std::string error;
        ASSERT_TRUE(headless::RunRender(request, profile, files, messages, summary, error))
            << error;
        EXPECT_TRUE(messages.str().empty()) << messages.str();
        EXPECT_GT(summary.ticks, 1);
        EXPECT_GT(CountStitched(request.output, 0, 0, 320, 240), 0) << "logo and notice at least";
    }
}

// The command line refuses missing files up front, as the saver's start does; files that
// vanish afterwards reach the cycle, which must not go round them for ever.
TEST_F(RenderCommand, GivesUpOnceEveryFileHasFailedToLoad) {
    MemoryProfileStore profile;
    PosixFileSystem files;
    headless::RenderRequest request;
    request.files = {PathOf("gone-one.pxs"), PathOf("gone-two.pxs")};
    request.output = PathOf("x.png");
    std::ostringstream messages;
    headless::RenderSummary summary;
    std::string error;
    EXPECT_FALSE(headless::RunRender(request, profile, files, messages, summary, error));
    EXPECT_EQ(error, "none of the design files could be loaded");
    for (const std::string& path : request.files) {
        const std::size_t first = messages.str().find(path);
        ASSERT_NE(first, std::string::npos) << messages.str();
        EXPECT_EQ(messages.str().find(path, first + 1), std::string::npos) << "shown twice";
    }
    EXPECT_FALSE(std::filesystem::exists(request.output));
}

}  // namespace
}  // namespace vireluna
