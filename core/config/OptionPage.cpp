#include "core/config/OptionPage.h"

#include <optional>
#include <string>

#include "core/config/IntegerField.h"

namespace vireluna {
namespace {

constexpr SettingRange RangeOf(std::string_view entry) {
    for (const StoredSettingField& field : StoredSettingFields) {
        if (field.entry == entry) return field.range;
    }
    return {0, 0};
}

constexpr SettingRange DrawSpeedRange = RangeOf("DrawSpeed");
constexpr SettingRange ReductionRange = RangeOf("Reduction");
constexpr SettingRange HoldTimeRange = RangeOf("HoldTime");

}  // namespace

void SelectRadioIndex(std::span<RadioButtonControl* const> group, std::int32_t index) {
    for (std::size_t i = 0; i < group.size(); ++i) {
        group[i]->SetChecked(static_cast<std::int32_t>(i) == index);
    }
}

std::int32_t SelectedRadioIndex(std::span<RadioButtonControl* const> group) {
    for (std::size_t i = 0; i + 1 < group.size(); ++i) {
        if (group[i]->IsChecked()) return static_cast<std::int32_t>(i);
    }
    return static_cast<std::int32_t>(group.size()) - 1;
}

void COptionPage::Bind(const OptionPageControls& controls) {
    controls_ = controls;
}

bool COptionPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    SelectRadioIndex(controls_.penSize, m_nPenSize);
    SelectRadioIndex(controls_.rotation, m_nRotation);
    SelectRadioIndex(controls_.drawStep, m_nDrawStep);
    controls_.spinDrawSpeed->SetRange(DrawSpeedRange.min, DrawSpeedRange.max);
    controls_.spinReduction->SetRange(ReductionRange.min, ReductionRange.max);
    controls_.spinHoldTime->SetRange(HoldTimeRange.min, HoldTimeRange.max);
    return true;
}

bool COptionPage::OnApply() {
    m_nPenSize = SelectedRadioIndex(controls_.penSize);
    m_nRotation = SelectedRadioIndex(controls_.rotation);
    m_nDrawStep = SelectedRadioIndex(controls_.drawStep);
    return true;
}

bool COptionPage::DoDataExchange(bool saveAndValidate) {
    // In this order: a field after a failing one is not read.
    return ExchangeField(*controls_.drawSpeed, m_nDrawSpeed, DrawSpeedRange, saveAndValidate) &&
           ExchangeField(*controls_.reduction, m_nReduction, ReductionRange, saveAndValidate) &&
           ExchangeField(*controls_.holdTime, m_nHoldTime, HoldTimeRange, saveAndValidate);
}

bool COptionPage::ExchangeField(EditControl& field, std::int32_t& member, SettingRange range,
                                bool saveAndValidate) {
    if (!saveAndValidate) {
        // Whatever the owner put into the member shows, in range or not.
        field.SetText(std::to_string(member));
        return true;
    }
    const std::optional<std::int32_t> value = ParseIntegerField(field.Text());
    if (!value) return RefuseField(field, NotAnIntegerMessage);
    // Stored before the range test: a refused value stays in the member.
    member = *value;
    if (member < range.min || member > range.max) {
        return RefuseField(field, OutOfRangeMessage(range));
    }
    return true;
}

bool COptionPage::RefuseField(EditControl& field, std::string_view message) {
    boxes_.Show(message, ApplicationTitle, MessageIcon::Exclamation);
    field.FocusAndSelectAll();
    return false;
}

}  // namespace vireluna
