#include "config/DisplayPage.h"

#include "config/OptionPage.h"
#include "shell/SaverSettings.h"

namespace vireluna {

void CDisplayPage::Bind(const DisplayPageControls& controls) {
    controls_ = controls;
}

bool CDisplayPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    // The saver's own rule decides what an unknown value stands for.
    StoredSettings stored;
    stored.Monitors = m_nMonitors;
    stored.Look = m_nLook;
    stored.Playback = m_nPlayback;
    const StoredSettings used = UsableSettings(stored);
    SelectRadioIndex(controls_.monitors, used.Monitors);
    SelectRadioIndex(controls_.look, used.Look);
    SelectRadioIndex(controls_.playback, used.Playback);
    return true;
}

bool CDisplayPage::OnApply() {
    m_nMonitors = SelectedRadioIndex(controls_.monitors);
    m_nLook = SelectedRadioIndex(controls_.look);
    m_nPlayback = SelectedRadioIndex(controls_.playback);
    return true;
}

}  // namespace vireluna
