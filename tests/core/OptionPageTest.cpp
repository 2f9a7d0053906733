#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/config/IntegerField.h"
#include "core/config/SaverSheet.h"
#include "tests/core/ConfigFakes.h"
#include "tests/core/TestSheet.h"

namespace vireluna {
namespace {

using testing::FakeEdit;
using testing::FakeHeaderProbe;
using testing::FakeListBox;
using testing::FakeMessageBoxes;
using testing::FakeRadio;
using Box = FakeMessageBoxes::Box;

TEST(ParseIntegerField, BlanksAroundASignAndDigitsOnly) {
    EXPECT_EQ(ParseIntegerField("7"), 7);
    EXPECT_EQ(ParseIntegerField(" \t 7 \t"), 7);
    EXPECT_EQ(ParseIntegerField("+5"), 5);
    EXPECT_EQ(ParseIntegerField("-12"), -12);
    for (const char* bad : {"", "   ", "abc", "5x", "+", "- 5", "5 5", "\n5", "0x10", "５"}) {
        EXPECT_EQ(ParseIntegerField(bad), std::nullopt) << bad;
    }
}

TEST(ParseIntegerField, ReadsOnlyTheFirst31CharactersAndSaturates) {
    EXPECT_EQ(ParseIntegerField("5" + std::string(30, ' ') + "x"), 5);
    EXPECT_EQ(ParseIntegerField(std::string(31, ' ') + "5"), std::nullopt);
    // Multi-byte characters count once: 30 of them and a digit fit, the 32nd is cut off.
    EXPECT_EQ(ParseIntegerField(std::string(30, ' ') + "1" + "５"), 1);
    EXPECT_EQ(ParseIntegerField("99999999999999999999"), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(ParseIntegerField("-99999999999999999999"), std::numeric_limits<std::int32_t>::min());
}

// The sheet with both pages over fakes; the option page's values are the profile's defaults.
class OptionPageTest : public ::testing::Test, protected testing::FakeOptionControls {
  protected:
    OptionPageTest() {
        for (FakeEdit* field : {&drawSpeed, &reduction, &holdTime}) {
            field->onChange = [this] { page.OnChange(); };
        }
        page.Bind(Controls());
        sheet.m_pageList.Bind({&list, nullptr});
        page.m_nPenSize = 1, page.m_nRotation = 2, page.m_nDrawStep = 2;
        page.m_nDrawSpeed = 3, page.m_nReduction = 80, page.m_nHoldTime = 100;
    }
    std::vector<bool> Checked() const {
        std::vector<bool> checked;
        for (const FakeRadio& radio : radios) checked.push_back(radio.checked);
        return checked;
    }
    Box RangeBox(int min, int max) const {
        return {std::to_string(min) + " から " + std::to_string(max) +
                    " までの整数を入力してください。",
                "VirelunaLogo", MessageIcon::Exclamation};
    }

    FakeListBox list;
    FakeMessageBoxes boxes;
    FakeHeaderProbe probe;
    fakes::TestSheet sheet{boxes, probe};
    COptionPage& page = sheet.m_pageOption;
};

TEST_F(OptionPageTest, OpensWithOneButtonPerGroupFieldsRangesAndNoMark) {
    sheet.Open(CSaverSheet::OptionPageIndex);
    EXPECT_EQ(Checked(), (std::vector<bool>{0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(drawSpeed.text, "3");
    EXPECT_EQ(reduction.text, "80");
    EXPECT_EQ(holdTime.text, "100");
    EXPECT_EQ((std::vector<int>{spins[0].lower, spins[0].upper, spins[1].lower, spins[1].upper,
                                spins[2].lower, spins[2].upper}),
              (std::vector<int>{1, 10, 30, 100, 50, 500}));
    EXPECT_FALSE(sheet.IsApplyEnabled());

    ASSERT_TRUE(sheet.PressOk());
    EXPECT_EQ((std::vector<int>{page.m_nPenSize, page.m_nRotation, page.m_nDrawStep,
                                page.m_nDrawSpeed, page.m_nReduction, page.m_nHoldTime}),
              (std::vector<int>{1, 2, 2, 3, 80, 100}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(OptionPageTest, OutOfRangeIndexesSelectNothingAndApplyAsTheLastButton) {
    page.m_nPenSize = 5, page.m_nRotation = -1, page.m_nDrawStep = 4;
    page.m_nHoldTime = 9999;  // shown without complaint
    sheet.Open(CSaverSheet::OptionPageIndex);
    EXPECT_EQ(Checked(), std::vector<bool>(11, false));
    EXPECT_EQ(holdTime.text, "9999");
    holdTime.SetText("500");
    ASSERT_TRUE(sheet.PressOk());
    EXPECT_EQ(page.m_nPenSize, 2);
    EXPECT_EQ(page.m_nRotation, 3);
    EXPECT_EQ(page.m_nDrawStep, 3);
}

TEST_F(OptionPageTest, ClicksAndTextChangesMarkThePage) {
    sheet.Open(CSaverSheet::OptionPageIndex);
    page.OnChange();  // a click on the button already selected
    EXPECT_TRUE(sheet.IsApplyEnabled());
    ASSERT_TRUE(sheet.PressApply());
    EXPECT_FALSE(sheet.IsApplyEnabled());
    reduction.SetText("81");
    EXPECT_TRUE(sheet.IsApplyEnabled());
}

TEST_F(OptionPageTest, UnitTimeAcceptsAndRefusesWithTheExactMessages) {
    sheet.Open(CSaverSheet::OptionPageIndex);
    for (const char* good : {"1", "10", " 7 ", "+5"}) {
        drawSpeed.text = good;
        EXPECT_TRUE(sheet.PressApply()) << good;
    }
    EXPECT_EQ(page.m_nDrawSpeed, 5);
    const Box notInteger{"整数を入力してください。", "VirelunaLogo", MessageIcon::Exclamation};
    const std::vector<std::pair<const char*, Box>> refusals{{"", notInteger},
                                                            {"abc", notInteger},
                                                            {"5x", notInteger},
                                                            {"0", RangeBox(1, 10)},
                                                            {"11", RangeBox(1, 10)}};
    for (const auto& [text, box] : refusals) {
        boxes.shown.clear();
        drawSpeed.focusedAndSelected = 0;
        drawSpeed.text = text;
        EXPECT_FALSE(sheet.PressOk()) << text;
        EXPECT_TRUE(sheet.IsOpen());
        EXPECT_EQ(boxes.shown, std::vector<Box>{box}) << text;
        EXPECT_EQ(drawSpeed.focusedAndSelected, 1) << text;
    }
    EXPECT_EQ(page.m_nDrawSpeed, 11);  // the rejected value is stored
}

TEST_F(OptionPageTest, LeavingWithABadSizeKeepsThePageInFront) {
    sheet.Open(CSaverSheet::OptionPageIndex);
    reduction.text = "500";
    EXPECT_FALSE(sheet.SelectPage(CSaverSheet::ListPageIndex));
    EXPECT_EQ(sheet.FrontPage(), CSaverSheet::OptionPageIndex);
    EXPECT_EQ(boxes.shown, std::vector<Box>{RangeBox(30, 100)});
    EXPECT_EQ(reduction.focusedAndSelected, 1);
}

TEST_F(OptionPageTest, OnlyTheFirstFailingFieldIsReportedFieldsBeforeItAreStored) {
    sheet.Open(CSaverSheet::OptionPageIndex);
    drawSpeed.text = "0";
    reduction.text = "90";
    holdTime.text = "5000";
    EXPECT_FALSE(sheet.PressApply());
    EXPECT_EQ(boxes.shown, std::vector<Box>{RangeBox(1, 10)});
    EXPECT_EQ(page.m_nReduction, 80);  // not read after the failure
    drawSpeed.text = "4";
    EXPECT_FALSE(sheet.PressApply());
    EXPECT_EQ(boxes.shown.back(), RangeBox(50, 500));
    EXPECT_EQ(page.m_nReduction, 90);
    EXPECT_EQ(page.m_nHoldTime, 5000);
}

}  // namespace
}  // namespace vireluna
