// The saver's screen under Wine against the native tool's picture of the same run: the display's
// lines, pens, colours, emblem and placement against the software raster's.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <map>

#include "tests/e2e_win32/driver/PictureCases.h"
#include "tests/e2e_win32/driver/SaverTest.h"
#include "tools/windriver/Input.h"
#include "tools/windriver/PictureComparison.h"
#include "tools/windriver/SaverProfile.h"
#include "tools/windriver/TestPaths.h"

namespace vireluna::e2e {

void PrintTo(const PictureCase& pictureCase, std::ostream* out) {
    *out << pictureCase.name;
}

namespace {

// The run's last tick comes well within this; the picture must match by then.
constexpr auto MatchLimit = 40s;
// The notice text may differ in its smoothing only: its box stays one line of text high,
// starting near 30 pixels above the bottom edge.
constexpr int NoticeMaxHeight = 20;
constexpr int NoticeHighestTop = ExpectedScreenHeight - 30 - 4;
// Smoothing may start a glyph's ink a pixel early or late.
constexpr int NoticeTextSlack = 2;

// The folder of the sample designs, played alone.
constexpr std::string_view SampleFolder = "folder:samples";

std::vector<std::wstring> PlaylistOf(const PictureCase& pictureCase) {
    constexpr std::string_view TestPrefix = "test/";
    std::vector<std::wstring> paths;
    for (const std::string& design : pictureCase.designs) {
        if (design == SampleFolder) {
            SaverProfile::SetString(L"Display File List", L"Folder", WindowsPath(Paths().designs));
            if (paths.empty()) paths.push_back(L"");  // no listed file
            continue;
        }
        paths.push_back(design.starts_with(TestPrefix)
                            ? TestDesign(design.substr(TestPrefix.size()))
                            : SampleDesign(design));
    }
    return paths;
}

class PictureMatch : public SaverTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(PictureMatch, FullScreenEqualsTheNativeToolsPictureAwayFromTheNoticeText) {
    const PictureCase& pictureCase = GetParam();
    const Picture expected = Picture::ReadPpm(Paths().references + "/" + pictureCase.name + ".ppm");
    ASSERT_FALSE(expected.Empty()) << "no reference picture for " << pictureCase.name;
    ASSERT_EQ(expected.Width(), ExpectedScreenWidth);
    ASSERT_EQ(expected.Height(), ExpectedScreenHeight);
    for (const auto& [entry, value] : pictureCase.settings) SaverProfile::SetNumber(entry, value);
    SaverProfile::SetPlaylist(PlaylistOf(pictureCase));
    std::map<std::string, std::string> controls = {{"VIRELUNA_SEED", pictureCase.seed},
                                                   {"VIRELUNA_TICKS", pictureCase.ticks}};
    if (pictureCase.screen.find('+') != std::string::npos) {
        controls["VIRELUNA_MONITORS"] = pictureCase.screen;
    }
    ASSERT_NE(StartFullScreen(controls), nullptr);

    Picture shown;
    PictureDifference difference;
    const bool matched = WaitUntil(
        [&] {
            shown = Picture::FromScreen();
            difference = Compare(shown, expected, true);
            return difference.outsideNotice == 0;
        },
        MatchLimit);
    if (!matched) KeepForInspection(shown, pictureCase.name + "-shown");
    EXPECT_TRUE(matched) << difference.outsideNotice << " pixels differ outside the notice";

    const RECT& box = difference.notice.area;
    EXPECT_TRUE(difference.notice.found) << "no notice line";
    EXPECT_LE(box.bottom - box.top, NoticeMaxHeight);
    EXPECT_GE(box.top, NoticeHighestTop);
    // Both draw the text at the same place: the boxes of its pixels start together.
    const NoticeBox shownText = FindNotice(shown, shown);
    const NoticeBox expectedText = FindNotice(expected, expected);
    EXPECT_NEAR(shownText.area.left, expectedText.area.left, NoticeTextSlack);
    EXPECT_NEAR(shownText.area.top, expectedText.area.top, NoticeTextSlack);
    std::printf(
        "[ notice   ] %s: text box %ldx%ld at (%ld, %ld): %d of its %d pixels differ, "
        "by at most %d in a colour channel\n",
        pictureCase.name.c_str(), box.right - box.left, box.bottom - box.top, box.left, box.top,
        difference.insideNotice, difference.noticeArea, difference.largestNoticeStep);

    input::Key('Q');
    EXPECT_EQ(runs_.back()->WaitForExit(), std::optional<DWORD>(0));
}

std::string CaseName(const ::testing::TestParamInfo<PictureCase>& info) {
    std::string name = info.param.name;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, PictureMatch, ::testing::ValuesIn(ReadPictureCases(Paths().cases)),
                         CaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PictureMatch);

}  // namespace
}  // namespace vireluna::e2e
