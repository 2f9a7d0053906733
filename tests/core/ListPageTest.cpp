#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/SaverSheet.h"
#include "tests/core/ConfigFakes.h"
#include "tests/core/TestSheet.h"

namespace vireluna {
namespace {

using testing::FakeFileDialog;
using testing::FakeHeaderProbe;
using testing::FakeListBox;
using testing::FakeMessageBoxes;
using Box = FakeMessageBoxes::Box;
using Strings = std::vector<std::string>;

// The "File" page inside its sheet, over fake controls, opened with the given slots.
class ListPageTest : public ::testing::Test {
  protected:
    void Open(const Strings& slots) {
        for (std::size_t i = 0; i < slots.size(); ++i) page.m_strFiles[i] = slots[i];
        page.Bind({&list, &dialog});
        sheet.Open(CSaverSheet::ListPageIndex);
    }
    void AddValid(const Strings& paths) {
        for (const std::string& path : paths) probe.Add(path, 5, 500);
    }

    FakeListBox list;
    FakeFileDialog dialog;
    FakeMessageBoxes boxes;
    FakeHeaderProbe probe;
    fakes::TestSheet sheet{boxes, probe};
    CListPage& page = sheet.m_pageList;
};

TEST_F(ListPageTest, ShowsTheSlotsBeforeTheFirstGapWithA700PixelExtent) {
    Open({"/a.pxs", "/b.pxs", "", "/d.pxs"});
    EXPECT_EQ(list.entries, (Strings{"/a.pxs", "/b.pxs"}));
    EXPECT_EQ(list.extent, 700);
    EXPECT_FALSE(sheet.IsApplyEnabled());
}

TEST_F(ListPageTest, AddAppendsInOrderWithDuplicatesAndMarksEveryOutcome) {
    Open({"/a.pxs"});
    AddValid({"/a.pxs", "/b.pxs"});
    dialog.next = {FileChoice::Outcome::Chosen, {"/b.pxs", "/a.pxs"}};
    page.OnAdd();
    EXPECT_EQ(list.entries, (Strings{"/a.pxs", "/b.pxs", "/a.pxs"}));
    EXPECT_TRUE(sheet.IsApplyEnabled());
    EXPECT_TRUE(boxes.shown.empty());

    ASSERT_TRUE(sheet.PressApply());
    dialog.next = {FileChoice::Outcome::Cancelled, {}};
    page.OnAdd();
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(sheet.IsApplyEnabled());

    ASSERT_TRUE(sheet.PressApply());
    dialog.next = {FileChoice::Outcome::TooManyFiles, {}};
    page.OnAdd();
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(boxes.shown, (std::vector<Box>{{"You choose too many files, then over memory limits.",
                                              "Error", MessageIcon::None}}));
    EXPECT_TRUE(sheet.IsApplyEnabled());
}

TEST_F(ListPageTest, DeleteRemovesExactlyTheSelectedEntriesAndAlwaysMarks) {
    Open({"0", "1", "2", "3", "4"});
    page.OnDelete();
    EXPECT_EQ(list.Count(), 5);
    EXPECT_TRUE(sheet.IsApplyEnabled());

    list.selected = {1, 3, 4};
    page.OnDelete();
    EXPECT_EQ(list.entries, (Strings{"0", "2"}));

    page.OnDeleteAll();
    EXPECT_TRUE(list.entries.empty());
}

TEST_F(ListPageTest, DeletesMoreThanAHundredSelectedEntries) {
    Open({});
    for (int i = 0; i < 150; ++i) {
        list.Append(std::to_string(i));
        if (i != 7) list.selected.push_back(i);
    }
    page.OnDelete();
    EXPECT_EQ(list.entries, (Strings{"7"}));
}

TEST_F(ListPageTest, AcceptedApplyFillsTheSlotsAndClearsTheRest) {
    Open({"/old1", "/old2", "", "/old4"});
    AddValid({"/n1", "/n2"});
    list.entries = {"/n1", "/n2", "/n1"};
    ASSERT_TRUE(sheet.PressOk());
    EXPECT_EQ(page.m_strFiles[0], "/n1");
    EXPECT_EQ(page.m_strFiles[2], "/n1");
    EXPECT_EQ(page.m_strFiles[3], "");
    EXPECT_EQ(probe.opened, (Strings{"/n1", "/n2", "/n1"}));
}

TEST_F(ListPageTest, TwentyValidEntriesAreAcceptedAndTwentyOneRefused) {
    Open({});
    Strings twenty;
    for (int i = 0; i < 20; ++i) twenty.push_back("/d" + std::to_string(i));
    AddValid(twenty);
    list.entries = twenty;
    list.entries.push_back("/d0");
    page.OnAdd();  // marks the page
    EXPECT_FALSE(sheet.PressApply());
    EXPECT_EQ(boxes.shown.back().text,
              "Too many files in the list, reduce number of file. (maximum 20 files).");
    EXPECT_TRUE(probe.opened.empty());

    list.entries.pop_back();
    EXPECT_TRUE(sheet.PressApply());
    EXPECT_EQ(page.m_strFiles[19], "/d19");
}

TEST_F(ListPageTest, RefusalKeepsListAndSlotsClearsTheMarkAndRepeats) {
    Open({"/kept"});
    list.entries = {"/gone"};
    page.OnDelete();
    ASSERT_TRUE(sheet.IsApplyEnabled());

    EXPECT_FALSE(sheet.PressOk());
    EXPECT_TRUE(sheet.IsOpen());
    const Box refusal{"File not found.\n\n/gone", "VirelunaLogo", MessageIcon::Stop};
    EXPECT_EQ(boxes.shown, std::vector<Box>{refusal});
    EXPECT_FALSE(sheet.IsApplyEnabled());
    EXPECT_EQ(list.entries, Strings{"/gone"});
    EXPECT_EQ(page.m_strFiles[0], "/kept");

    EXPECT_FALSE(sheet.PressOk());
    EXPECT_EQ(boxes.shown, (std::vector<Box>{refusal, refusal}));

    list.entries.clear();
    EXPECT_FALSE(sheet.PressOk());
    EXPECT_EQ(boxes.shown.back().text, "No files were in the list.");
}

}  // namespace
}  // namespace vireluna
