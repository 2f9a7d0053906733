#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/config/PageControls.h"
#include "core/config/PropertyPage.h"
#include "core/settings/SaverSettings.h"

namespace vireluna {

inline constexpr int PenSizeButtons = 3;
inline constexpr int RotationButtons = 4;
inline constexpr int DrawStepButtons = 4;

// The controls of the "Option" page, bound when the page's window exists. Buttons in index
// order.
struct OptionPageControls {
    std::array<RadioButtonControl*, PenSizeButtons> penSize{};
    std::array<RadioButtonControl*, RotationButtons> rotation{};
    std::array<RadioButtonControl*, DrawStepButtons> drawStep{};
    EditControl* drawSpeed = nullptr;
    EditControl* reduction = nullptr;
    EditControl* holdTime = nullptr;
    SpinControl* spinDrawSpeed = nullptr;
    SpinControl* spinReduction = nullptr;
    SpinControl* spinHoldTime = nullptr;
};

// The option page: the six drawing settings, three as radio groups and three as integer
// fields validated against their ranges whenever the page hands its controls to its members.
class COptionPage : public CPropertyPage {
  public:
    explicit COptionPage(MessageBoxes& boxes) : boxes_(boxes) {}

    void Bind(const OptionPageControls& controls);

    bool OnInitDialog() override;
    bool OnApply() override;

    // The stored values of the settings: button indexes and the numbers as typed. Set all
    // six before the page is displayed.
    std::int32_t m_nDrawStep = 0;
    std::int32_t m_nRotation = 0;
    std::int32_t m_nPenSize = 0;
    std::int32_t m_nDrawSpeed = 0;
    std::int32_t m_nReduction = 0;
    std::int32_t m_nHoldTime = 0;

  protected:
    bool DoDataExchange(bool saveAndValidate) override;

  private:
    bool ExchangeField(EditControl& field, std::int32_t& member, SettingRange range,
                       bool saveAndValidate);
    bool RefuseField(EditControl& field, std::string_view message);

    OptionPageControls controls_;
    MessageBoxes& boxes_;
};

// Selects the button of the index; an index outside the group selects none.
void SelectRadioIndex(std::span<RadioButtonControl* const> group, std::int32_t index);
// The index of the first selected button; the last when none is selected.
std::int32_t SelectedRadioIndex(std::span<RadioButtonControl* const> group);

}  // namespace vireluna
