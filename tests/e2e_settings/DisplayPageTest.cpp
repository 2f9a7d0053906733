#include <gtest/gtest.h>

#include "tests/e2e_settings/SheetDriver.h"

namespace vireluna::e2e {
namespace {

constexpr int DisplayPage = 2;
constexpr int EveryMonitor = 1020;
constexpr int PrimaryOnly = 1021;
constexpr int FlatLook = 1022;
constexpr int ThreadLook = 1023;
constexpr int FolderField = 1026;
constexpr int ClearFolder = 1028;
constexpr int FitBox = 1029;

class DisplayPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Profile::Clear();
        Profile::SetFile(1, folder.Design(L"kept.pxs", 1, 1));
    }
    void TearDown() override { Profile::Clear(); }

    void ShowDisplayPage(SettingsProgram& program) {
        ASSERT_NE(program.Sheet(), nullptr);
        ASSERT_TRUE(program.ShowPage(DisplayPage));
    }

    DesignFolder folder;
};

TEST_F(DisplayPageTest, ShowsTheStoredChoicesAndOkWritesTheNewOnes) {
    Profile::SetInteger(L"Monitors", 1);
    Profile::SetInteger(L"Look", 0);
    Profile::SetInteger(L"PenSize", 0);
    SettingsProgram program(folder.Path());
    ShowDisplayPage(program);
    EXPECT_FALSE(program.IsChecked(DisplayPage, EveryMonitor));
    EXPECT_TRUE(program.IsChecked(DisplayPage, PrimaryOnly));
    EXPECT_TRUE(program.IsChecked(DisplayPage, FlatLook));
    EXPECT_FALSE(program.IsChecked(DisplayPage, ThreadLook));
    EXPECT_FALSE(program.IsApplyEnabled());

    program.Click(DisplayPage, EveryMonitor);
    program.Click(DisplayPage, ThreadLook);
    ASSERT_TRUE(WaitFor([&] { return program.IsChecked(DisplayPage, ThreadLook); }));
    EXPECT_FALSE(program.IsChecked(DisplayPage, FlatLook));
    EXPECT_FALSE(program.IsChecked(DisplayPage, PrimaryOnly)) << "the groups are independent";
    EXPECT_TRUE(program.IsChecked(DisplayPage, EveryMonitor));
    EXPECT_TRUE(program.IsApplyEnabled());
    program.PressOk();
    ASSERT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Profile::Integer(L"Monitors"), 0u);
    EXPECT_EQ(Profile::Integer(L"Look"), 1u);
    EXPECT_EQ(Profile::Integer(L"PenSize"), 0u) << "the option page's values stay";
}

// A choice the saver does not know shows as the one the saver uses for it.
TEST_F(DisplayPageTest, UnknownStoredChoicesShowAsTheDefaultAndCancelWritesNothing) {
    Profile::SetInteger(L"Look", 7);
    SettingsProgram program(folder.Path());
    ShowDisplayPage(program);
    EXPECT_TRUE(program.IsChecked(DisplayPage, EveryMonitor));
    EXPECT_TRUE(program.IsChecked(DisplayPage, FlatLook));
    program.Click(DisplayPage, PrimaryOnly);
    ASSERT_TRUE(WaitFor([&] { return program.IsApplyEnabled(); }));
    program.PressCancel();
    ASSERT_TRUE(program.WaitForExit().has_value());
    EXPECT_EQ(Profile::Integer(L"Look"), 7u);
    EXPECT_EQ(Profile::Integer(L"Monitors"), std::nullopt);
}

// The folder field shows the stored folder; a typed one is stored trimmed, Clear empties it,
// and the Fit box is stored as 1 or 0.
TEST_F(DisplayPageTest, TheFolderFieldAndTheFitBoxAreStored) {
    Profile::SetListString(L"Folder", folder.Path());
    SettingsProgram program(folder.Path());
    ShowDisplayPage(program);
    EXPECT_EQ(program.Text(DisplayPage, FolderField), folder.Path());
    EXPECT_FALSE(program.IsChecked(DisplayPage, FitBox));
    EXPECT_FALSE(program.IsApplyEnabled()) << "showing the folder changes nothing";

    program.Click(DisplayPage, ClearFolder);
    ASSERT_TRUE(WaitFor([&] { return program.Text(DisplayPage, FolderField).empty(); }));
    EXPECT_TRUE(program.IsApplyEnabled());
    program.SetText(DisplayPage, FolderField, L"  C:\\Stitches\\Collection  ");
    program.Click(DisplayPage, FitBox);
    ASSERT_TRUE(WaitFor([&] { return program.IsChecked(DisplayPage, FitBox); }));
    program.PressOk();
    ASSERT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Profile::ListString(L"Folder"), L"C:\\Stitches\\Collection");
    EXPECT_EQ(Profile::Integer(L"Fit"), 1u);

    SettingsProgram again(folder.Path());
    ShowDisplayPage(again);
    EXPECT_EQ(again.Text(DisplayPage, FolderField), L"C:\\Stitches\\Collection");
    EXPECT_TRUE(again.IsChecked(DisplayPage, FitBox));
    again.Click(DisplayPage, ClearFolder);
    again.Click(DisplayPage, FitBox);
    ASSERT_TRUE(WaitFor([&] { return !again.IsChecked(DisplayPage, FitBox); }));
    again.PressOk();
    ASSERT_EQ(again.WaitForExit(), 0u);
    EXPECT_EQ(Profile::ListString(L"Folder"), L"");
    EXPECT_EQ(Profile::Integer(L"Fit"), 0u);
}

}  // namespace
}  // namespace vireluna::e2e
