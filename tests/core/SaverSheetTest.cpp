#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/SheetTransfer.h"
#include "core/ports/MemoryProfileStore.h"
#include "tests/core/ConfigFakes.h"
#include "tests/core/TestSheet.h"

namespace vireluna {
namespace {

constexpr std::string_view DefaultDesign = "C:\\Designs\\logo.pxs";

using testing::FakeFileDialog;
using testing::FakeHeaderProbe;
using testing::FakeListBox;
using testing::FakeMessageBoxes;
using testing::FakeRadio;

// All three pages over fakes, the profile read into them as the settings program does.
class SaverSheetTest : public ::testing::Test, protected testing::FakeOptionControls {
  protected:
    SaverSheetTest() {
        sheet.m_pageOption.Bind(Controls());
        sheet.m_pageList.Bind({&list, &dialog});
        sheet.m_pageDisplay.Bind({{{&monitors[0], &monitors[1]}},
                                  {{&look[0], &look[1]}},
                                  nullptr,
                                  nullptr,
                                  nullptr,
                                  {{&playback[0], &playback[1]}}});
    }
    void Load() { PutIntoPages(ReadSheetValues(profile, DefaultDesign), sheet); }

    std::array<FakeRadio, 2> monitors, look, playback;
    FakeListBox list;
    FakeFileDialog dialog;
    FakeMessageBoxes boxes;
    FakeHeaderProbe probe;
    MemoryProfileStore profile;
    fakes::TestSheet sheet{boxes, probe};
};

// The list page refuses the missing file, but only once it has been displayed.
TEST_F(SaverSheetTest, OnlyDisplayedPagesApplyAndARefusalKeepsTheSheetOpen) {
    ASSERT_TRUE(profile.WriteString(FileListSection, "File01", "/missing.pxs"));
    Load();
    sheet.Open(CSaverSheet::OptionPageIndex);
    EXPECT_TRUE(sheet.PressOk());
    EXPECT_TRUE(probe.opened.empty());
    EXPECT_EQ(sheet.m_pageList.m_strFiles[0], "/missing.pxs");

    sheet.Open(CSaverSheet::OptionPageIndex);
    ASSERT_TRUE(sheet.SelectPage(CSaverSheet::ListPageIndex));
    ASSERT_TRUE(sheet.SelectPage(CSaverSheet::OptionPageIndex));
    EXPECT_FALSE(sheet.PressOk());
    EXPECT_TRUE(sheet.IsOpen());
    EXPECT_EQ(probe.opened, std::vector<std::string>{"/missing.pxs"});
}

TEST_F(SaverSheetTest, DisplayingAgainRefreshesFieldsButNotTheList) {
    Load();
    sheet.Open(CSaverSheet::OptionPageIndex);
    reduction.text = "55";
    ASSERT_TRUE(sheet.SelectPage(CSaverSheet::ListPageIndex));
    list.entries.push_back("/typed-in");
    sheet.m_pageOption.m_nReduction = 66;
    ASSERT_TRUE(sheet.SelectPage(CSaverSheet::OptionPageIndex));
    EXPECT_EQ(reduction.text, "66");
    ASSERT_TRUE(sheet.SelectPage(CSaverSheet::ListPageIndex));
    EXPECT_EQ(list.entries.back(), "/typed-in");
}

TEST_F(SaverSheetTest, ApplyClearsTheMarksAndCancelAsksNoPage) {
    Load();
    sheet.Open();
    sheet.m_pageList.OnDeleteAll();
    EXPECT_TRUE(sheet.IsPageModified(CSaverSheet::ListPageIndex));
    sheet.PressCancel();
    EXPECT_FALSE(sheet.IsOpen());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(sheet.m_pageList.m_strFiles[0], DefaultDesign);
}

// As the settings program does: every accepted Apply stores at once, so that Cancel after it
// keeps what it stored; a store that fails is told and keeps the sheet open and its marks.
TEST_F(SaverSheetTest, ApplyStoresAtOnceAndCancelAfterwardsKeepsIt) {
    Load();
    sheet.SetStore([&] { return StorePages(sheet, profile, boxes); });
    sheet.Open(CSaverSheet::OptionPageIndex);
    reduction.text = "55";
    ASSERT_TRUE(sheet.PressApply());
    EXPECT_EQ(ReadSheetValues(profile, DefaultDesign).settings.Reduction, 55);
    EXPECT_EQ(ReadSheetValues(profile, DefaultDesign).files[0], DefaultDesign);

    reduction.text = "66";
    sheet.m_pageOption.OnChange();
    profile.RefuseWrites(true);
    EXPECT_FALSE(sheet.PressOk());
    EXPECT_TRUE(sheet.IsOpen());
    EXPECT_TRUE(sheet.IsPageModified(CSaverSheet::OptionPageIndex));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "The settings could not all be saved to (memory).");
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Stop);
    sheet.PressCancel();
    EXPECT_EQ(ReadSheetValues(profile, DefaultDesign).settings.Reduction, 55);
}

TEST_F(SaverSheetTest, ProfileRoundTripKeepsOutOfRangeValuesAndClearsOldEntries) {
    for (int k = 1; k <= 20; ++k) {
        ASSERT_TRUE(
            profile.WriteString(FileListSection, PlaylistEntryName(k), "/" + std::to_string(k)));
    }
    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Rotation", 9));
    Load();
    EXPECT_EQ(sheet.m_pageOption.m_nRotation, 9);
    sheet.m_pageList.m_strFiles = {"/only"};
    ASSERT_TRUE(WriteSheetValues(TakeFromPages(sheet), profile));
    const SheetValues stored = ReadSheetValues(profile, DefaultDesign);
    EXPECT_EQ(stored.files[0], "/only");
    EXPECT_EQ(stored.files[1], "");
    EXPECT_EQ(stored.files[19], "");
    EXPECT_EQ(stored.settings.Rotation, 9);
    EXPECT_EQ(stored.settings.HoldTime, 100);

    profile.RefuseWrites(true);
    EXPECT_FALSE(WriteSheetValues(stored, profile));
}

TEST_F(SaverSheetTest, DisplayPageShowsTheStoredChoicesAndOkStoresTheChosenOnes) {
    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Monitors", 1));
    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Playback", 1));
    Load();
    sheet.Open(CSaverSheet::DisplayPageIndex);
    EXPECT_FALSE(monitors[0].checked);
    EXPECT_TRUE(monitors[1].checked);
    EXPECT_TRUE(look[0].checked);
    EXPECT_FALSE(playback[0].checked);
    EXPECT_TRUE(playback[1].checked);
    EXPECT_FALSE(sheet.IsApplyEnabled());

    monitors[1].checked = false;
    monitors[0].checked = true;
    sheet.m_pageDisplay.OnChange();
    look[0].checked = false;
    look[1].checked = true;
    sheet.m_pageDisplay.OnChange();
    playback[1].checked = false;
    playback[0].checked = true;
    sheet.m_pageDisplay.OnChange();
    EXPECT_TRUE(sheet.IsPageModified(CSaverSheet::DisplayPageIndex));
    ASSERT_TRUE(sheet.PressOk());
    ASSERT_TRUE(WriteSheetValues(TakeFromPages(sheet), profile));
    const StoredSettings stored = ReadSheetValues(profile, DefaultDesign).settings;
    EXPECT_EQ(stored.Monitors, static_cast<int>(OtherMonitors::Stitch));
    EXPECT_EQ(stored.Look, static_cast<int>(StitchLook::Thread));
    EXPECT_EQ(stored.Playback, static_cast<int>(Playback::Exact));
    EXPECT_EQ(stored.PenSize, StoredSettings{}.PenSize);
}

// The page shows what the saver makes of an unknown choice; a page never shown keeps it.
TEST_F(SaverSheetTest, UnknownChoicesShowAsTheSaverUsesThemAndStayWhenNotShown) {
    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Monitors", 9));
    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Look", -3));
    Load();
    sheet.Open(CSaverSheet::OptionPageIndex);
    ASSERT_TRUE(sheet.PressOk());
    EXPECT_EQ(TakeFromPages(sheet).settings.Look, -3);

    Load();
    sheet.Open(CSaverSheet::DisplayPageIndex);
    EXPECT_TRUE(monitors[0].checked);
    EXPECT_FALSE(monitors[1].checked);
    EXPECT_TRUE(look[0].checked);
    ASSERT_TRUE(sheet.PressOk());
    EXPECT_EQ(TakeFromPages(sheet).settings.Monitors, 0);
    EXPECT_EQ(TakeFromPages(sheet).settings.Look, 0);
}

class FakeFolderDialog final : public FolderDialog {
  public:
    std::optional<std::string> Choose(std::string_view current) override {
        openedAt.emplace_back(current);
        return answer;
    }
    std::optional<std::string> answer;
    std::vector<std::string> openedAt;
};

// The folder field shows the stored folder; Browse puts the chosen folder in it, a cancelled
// picker changes nothing, Clear empties it; OK stores the folder and the Fit box.
TEST_F(SaverSheetTest, DisplayPageEditsTheFolderAndFit) {
    testing::FakeEdit folder;
    folder.onChange = [&] { sheet.m_pageDisplay.OnChange(); };
    FakeRadio fit;
    FakeFolderDialog picker;
    sheet.m_pageDisplay.Bind({{{&monitors[0], &monitors[1]}},
                              {{&look[0], &look[1]}},
                              &folder,
                              &picker,
                              &fit,
                              {{&playback[0], &playback[1]}}});
    ASSERT_TRUE(profile.WriteString(FileListSection, FolderEntry, "C:\\Designs"));
    ASSERT_TRUE(profile.WriteInteger(ConfigSection, "Fit", 1));
    Load();
    sheet.Open(CSaverSheet::DisplayPageIndex);
    EXPECT_EQ(folder.text, "C:\\Designs");
    EXPECT_TRUE(fit.checked);
    EXPECT_FALSE(sheet.IsApplyEnabled());

    sheet.m_pageDisplay.OnBrowseFolder();
    EXPECT_EQ(picker.openedAt, std::vector<std::string>{"C:\\Designs"});
    EXPECT_EQ(folder.text, "C:\\Designs") << "cancelled";
    EXPECT_FALSE(sheet.IsPageModified(CSaverSheet::DisplayPageIndex));
    picker.answer = "D:\\Stitches\\All";
    sheet.m_pageDisplay.OnBrowseFolder();
    EXPECT_EQ(folder.text, "D:\\Stitches\\All");
    EXPECT_TRUE(sheet.IsPageModified(CSaverSheet::DisplayPageIndex));
    fit.checked = false;
    ASSERT_TRUE(sheet.PressOk());
    ASSERT_TRUE(WriteSheetValues(TakeFromPages(sheet), profile));
    SheetValues stored = ReadSheetValues(profile, DefaultDesign);
    EXPECT_EQ(stored.folder, "D:\\Stitches\\All");
    EXPECT_EQ(stored.settings.Fit, 0);

    // With a folder the list may be emptied: the folder plays alone. Without one it may not.
    Load();
    sheet.Open(CSaverSheet::ListPageIndex);
    sheet.m_pageList.OnDeleteAll();
    ASSERT_TRUE(sheet.PressOk());
    ASSERT_TRUE(WriteSheetValues(TakeFromPages(sheet), profile));
    stored = ReadSheetValues(profile, DefaultDesign);
    EXPECT_EQ(stored.files[0], "");
    EXPECT_EQ(stored.folder, "D:\\Stitches\\All");
    EXPECT_TRUE(boxes.shown.empty());

    Load();
    sheet.Open(CSaverSheet::DisplayPageIndex);
    sheet.m_pageDisplay.OnClearFolder();
    EXPECT_EQ(folder.text, "");
    ASSERT_TRUE(sheet.SelectPage(CSaverSheet::ListPageIndex));
    EXPECT_FALSE(sheet.PressOk());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, EmptyListMessage);
    list.Append("/kept.pxs");
    probe.Add("/kept.pxs", 1, 10);
    ASSERT_TRUE(sheet.PressOk());
    ASSERT_TRUE(WriteSheetValues(TakeFromPages(sheet), profile));
    EXPECT_EQ(ReadSheetValues(profile, DefaultDesign).folder, "");
}

}  // namespace
}  // namespace vireluna
