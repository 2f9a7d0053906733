#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e_settings/SheetDriver.h"

namespace vireluna::e2e {
namespace {

constexpr int FilePage = 0;
constexpr int OptionPage = 1;
constexpr int UnitTime = 1003;
constexpr int Size = 1004;
constexpr int Interval = 1005;
constexpr int FirstRadio[] = {1000, 1009, 1013};
constexpr int RadioCount[] = {3, 4, 4};

std::string RangeText(int min, int max) {
    return std::to_string(min) + " から " + std::to_string(max) + " までの整数を入力してください。";
}

class OptionPageTest : public ::testing::Test {
  protected:
    // The file page, shown first, accepts the list, so OK reaches the option page.
    void SetUp() override {
        Profile::Clear();
        Profile::SetFile(1, folder.Design(L"kept.pxs", 1, 1));
    }
    void TearDown() override { Profile::Clear(); }

    void ShowOptionPage(SettingsProgram& program) {
        ASSERT_NE(program.Sheet(), nullptr);
        ASSERT_TRUE(program.ShowPage(OptionPage));
    }
    void ExpectWarning(const SettingsProgram& program, const std::string& text) {
        const auto box = program.CloseMessageBox();
        ASSERT_TRUE(box.has_value()) << "no message box for: " << text;
        EXPECT_EQ(Narrow(box->caption), "VirelunaLogo");
        EXPECT_EQ(Narrow(box->text), text);
        EXPECT_EQ(box->icon, BoxIconSeen::Exclamation);
    }
    // The field has the keyboard focus with all of its text selected.
    void ExpectFocusedAndSelected(const SettingsProgram& program, int id) {
        const HWND field = program.Control(OptionPage, id);
        ASSERT_TRUE(WaitFor([&] { return program.FocusedWindow() == field; }));
        const LRESULT selection = SendMessageW(field, EM_GETSEL, 0, 0);
        EXPECT_EQ(LOWORD(selection), 0);
        EXPECT_EQ(HIWORD(selection), program.Text(OptionPage, id).size());
    }
    void PressKey(const SettingsProgram& program, int id, WPARAM key) {
        const HWND field = program.Control(OptionPage, id);
        // Sent, not posted: a message sent afterwards would overtake posted keys (a thread
        // takes sent messages first), so the key could land after the next step of the test.
        // The spin's arrow keys are the field's own, so the field sees what a key press gives.
        SendMessageW(field, WM_KEYDOWN, key, 1);
        SendMessageW(field, WM_KEYUP, key, 1 | 0xC0000000);
    }

    DesignFolder folder;
};

TEST_F(OptionPageTest, UnitTimeMessagesAndSizeRangeOnLeavingThePage) {
    SettingsProgram program(folder.Path());
    ShowOptionPage(program);
    EXPECT_EQ(program.Text(OptionPage, UnitTime), L"3");
    EXPECT_FALSE(program.IsApplyEnabled());

    const std::string notInteger = "整数を入力してください。";
    const std::vector<std::pair<std::wstring, std::string>> cases{{L"", notInteger},
                                                                  {L"abc", notInteger},
                                                                  {L"5x", notInteger},
                                                                  {L"0", RangeText(1, 10)},
                                                                  {L"11", RangeText(1, 10)}};
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(Narrow(text));
        program.SetText(OptionPage, UnitTime, text);
        program.PressApply();
        ExpectWarning(program, message);
        ExpectFocusedAndSelected(program, UnitTime);
    }
    program.SetText(OptionPage, UnitTime, L" 7 ");
    program.SetText(OptionPage, Size, L"500");
    program.SelectPage(FilePage);
    ExpectWarning(program, RangeText(30, 100));
    ExpectFocusedAndSelected(program, Size);
    EXPECT_EQ(program.CurrentPage(), program.Page(OptionPage));

    program.SetText(OptionPage, Size, L"100");
    PressKey(program, Size, VK_UP);
    EXPECT_EQ(program.Text(OptionPage, Size), L"100");
    program.SetText(OptionPage, Size, L"30");
    PressKey(program, Size, VK_DOWN);
    EXPECT_EQ(program.Text(OptionPage, Size), L"30");
    PressKey(program, Size, VK_UP);
    EXPECT_EQ(program.Text(OptionPage, Size), L"31");
    program.SetText(OptionPage, Interval, L"500");
    PressKey(program, Interval, VK_UP);
    EXPECT_EQ(program.Text(OptionPage, Interval), L"500");

    program.PressOk();
    ASSERT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Profile::Integer(L"DrawSpeed"), 7u);
    EXPECT_EQ(Profile::Integer(L"Reduction"), 31u);
    EXPECT_EQ(Profile::Integer(L"HoldTime"), 500u);
}

TEST_F(OptionPageTest, OutOfRangeIndexesShowNoButtonAndApplyAsTheLast) {
    Profile::SetInteger(L"PenSize", 5);
    Profile::SetInteger(L"Rotation", 0xFFFFFFFF);
    Profile::SetInteger(L"DrawStep", 4);
    SettingsProgram program(folder.Path());
    ShowOptionPage(program);
    for (int group = 0; group < 3; ++group) {
        for (int i = 0; i < RadioCount[group]; ++i) {
            EXPECT_FALSE(program.IsChecked(OptionPage, FirstRadio[group] + i))
                << FirstRadio[group] + i;
        }
    }
    EXPECT_FALSE(program.IsApplyEnabled());
    program.PressOk();
    ASSERT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Profile::Integer(L"PenSize"), 2u);
    EXPECT_EQ(Profile::Integer(L"Rotation"), 3u);
    EXPECT_EQ(Profile::Integer(L"DrawStep"), 3u);
    EXPECT_EQ(Profile::Integer(L"DrawSpeed"), 3u);
}

TEST_F(OptionPageTest, OkWritesTheChosenValuesAndTheListAsItWas) {
    const std::wstring design = folder.FullPath(L"kept.pxs");
    SettingsProgram program(folder.Path());
    ShowOptionPage(program);
    PostMessageW(program.Control(OptionPage, 1000), BM_CLICK, 0, 0);
    PostMessageW(program.Control(OptionPage, 1012), BM_CLICK, 0, 0);
    PostMessageW(program.Control(OptionPage, 1013), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return program.IsChecked(OptionPage, 1013); }));
    EXPECT_TRUE(program.IsApplyEnabled());
    EXPECT_FALSE(program.IsChecked(OptionPage, 1001));
    program.SetText(OptionPage, UnitTime, L"+1");
    program.PressOk();
    ASSERT_EQ(program.WaitForExit(), 0u);
    EXPECT_EQ(Profile::Integer(L"PenSize"), 0u);
    EXPECT_EQ(Profile::Integer(L"Rotation"), 3u);
    EXPECT_EQ(Profile::Integer(L"DrawStep"), 0u);
    EXPECT_EQ(Profile::Integer(L"DrawSpeed"), 1u);
    EXPECT_EQ(Profile::Integer(L"Reduction"), 80u);
    EXPECT_EQ(Profile::Integer(L"HoldTime"), 100u);
    EXPECT_EQ(Profile::File(1), design);
    for (int k = 2; k <= 20; ++k) EXPECT_EQ(Profile::File(k), L"") << k;
}

}  // namespace
}  // namespace vireluna::e2e
